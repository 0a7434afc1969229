#pragma once
// One pipe of a network recompute: the PIPE columns it reads and writes, and the
// steps the engineer takes by hand in the pipe window, applied to a row of texts.

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/network/pipe_network.h"
#include "core/pipe/discharge.h"
#include "core/text/packed_texts.h"
#include "store/project_context.h"
#include "store/rainfall_lookup.h"

namespace pelvane::forms::recompute {

// Positions of the columns in a row. The columns from kFirstWritten on are those a
// recompute may change; the section results are last, in the order of the results
// table.
enum Column : std::size_t {
    kPipeNumber,
    kDischargeVal,
    kStructureInput,
    kPrenode1,
    kStormFreq = kPrenode1 + pipe::kPreviousPipeRows,
    kBarrels,
    kSlope,
    kMann,
    kLength,
    kDia,
    kSpan,
    kRise,
    kShape,
    kStructureDischarge,
    kFirstWritten,
    kStructureCa = kFirstWritten,
    kStructureTc,
    kPreca1,
    kPretc1 = kPreca1 + pipe::kPreviousPipeRows,
    kPreflowtime1 = kPretc1 + pipe::kPreviousPipeRows,
    kAccumulatedCa = kPreflowtime1 + pipe::kPreviousPipeRows,
    kAccumulatedTc,
    kPipeCf,
    kPipeI,
    kLateralDischarge,
    kPipeDischarge,
    kFirstResult,
    kColumnCount = kFirstResult + 13,
};

// The PIPE column at each position.
const std::array<std::string_view, kColumnCount>& column_names();

// A pipe's texts by position.
using PipeRow = std::vector<std::string>;

// The pipes as saved, in table order, and the network their previous-pipe numbers
// make. A row is kept packed while the network is worked through, so that a large
// network fits in memory; a recompute unpacks one pipe at a time.
struct SavedNetwork {
    std::vector<text::PackedTexts> rows;
    network::PipeNetwork links;
};
SavedNetwork read_network(const store::ProjectContext& context);

// What a previous-pipe row of `row` hands on when it names the pipe `previous`:
// its accumulated C·A and time, its flow time and its discharge.
pipe::PreviousPipeValues handed_on(const text::PackedTexts& previous);

// Whether the pipe's discharge is computed ("CRM") rather than typed; a legacy file
// keeps the choice in STRUCTURE_INPUT.
bool computed_discharge(const PipeRow& row, bool legacy);

// Recomputes pipes one at a time with the project's rainfall. The intensity
// coefficients of each storm frequency are loaded once per recompute. Intensities
// are written with the pipe window's number format for the project's units.
class PipeRecompute {
  public:
    explicit PipeRecompute(store::ProjectContext& context);
    PipeRecompute(const PipeRecompute&) = delete;
    PipeRecompute& operator=(const PipeRecompute&) = delete;

    // For a computed discharge: takes over each previous pipe again (`links`, row
    // by row), computes the intensities and the design discharge; for a typed one
    // the pipe's discharge is the structure discharge as typed. Then the solve: its
    // checks and the section of the pipe's shape. On success `row` holds the new
    // texts; otherwise it is left as it was and the reason is returned.
    std::optional<std::string> run(
        PipeRow& row, const std::array<pipe::PreviousPipeLink, pipe::kPreviousPipeRows>& links);

    // The storm frequencies whose coefficients the discharges were computed with.
    std::vector<int> storms_used() const;

  private:
    // The coefficients of a storm frequency text, read once per recompute, or the
    // reason when it has none.
    store::StormCoefficients coefficients_of(const std::string& storm_frequency);
    std::optional<std::string> compute_discharge(
        PipeRow& row, const std::array<pipe::PreviousPipeLink, pipe::kPreviousPipeRows>& links);

    store::ProjectContext& context_;
    pipe::DischargeSettings settings_;
    std::map<int, store::StormCoefficients> coefficients_;
};

}  // namespace pelvane::forms::recompute
