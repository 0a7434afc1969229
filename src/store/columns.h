#pragma once
// The columns of a project file's PROJECT, PIPE and ENERGY tables: the one list of
// their names. Records are read and written through a `Column`, and a Column
// exists only for a name on this list: a name written in the code is checked by
// the compiler (`record.get("PIPE_NUMBER")` compiles, a misspelt one does not), and
// a name that comes from outside (the header of a pipe list) goes through
// `Column::named`, which throws for a name that is not listed.

#include <array>
#include <compare>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

namespace pelvane::store {

namespace column_names {

// clang-format off
inline constexpr auto kProject = std::to_array<std::string_view>({
    "MAJOR_RELEASE", "NOAA_STATION", "PROJECT_ID", "PROJECT_NAME", "COUNTY",
    "STATE", "UNITS", "LOCATION", "DESIGNER", "INLET_DATABASE",
    "PRODUCT_NAME", "MINOR_RELEASE", "RELEASE_DATE", "DESCRIPTION",
});

inline constexpr auto kPipe = std::to_array<std::string_view>({
    "PROJECT_ID", "PIPE_NUMBER", "NODEIN_NO", "NODEIN_TYPE", "NODEIN_STATION",
    "NODEIN_OFFSET", "NODEIN_OFFLOC", "NODEIN_TOPELE", "NODEIN_SHAPING", "NODEOUT_NO",
    "NODEOUT_TYPE", "NODEOUT_STATION", "NODEOUT_OFFSET", "NODEOUT_OFFLOC", "NODEOUT_TOPELE",
    "PIPE_LENGTH", "PIPE_ELEIN", "PIPE_ELEOUT", "PIPE_SLOPE", "PIPE_SHAPE",
    "PIPE_MAT", "PIPE_DIA", "SPAN", "RISE", "NUMOFPIPES",
    "PIPE_MANN", "PIPE_SKEW", "PIPE_STORM_FREQ", "PIPE_CF", "PIPE_I",
    "STRUCTURE_AREA", "STRUCTURE_CA", "STRUCTURE_TC", "STRUCTURE_DISCHARGE", "DISCHARGEVAL",
    "STRUCTURE_INPUT", "STRUCTURE_COMPUTE", "PRENODE1", "PRENODE2", "PRENODE3",
    "PRENODE4", "PRECA1", "PRECA2", "PRECA3", "PRECA4",
    "PRETC1", "PRETC2", "PRETC3", "PRETC4", "PREFLOWTIME1",
    "PREFLOWTIME2", "PREFLOWTIME3", "PREFLOWTIME4", "ACCUMULATED_CA", "ACCUMULATED_TC",
    "LATERAL_DISCHARGE", "PIPE_DISCHARGE", "CAPACITY", "FLOW_TYPE", "PIPE_FLOWDEPTH",
    "PIPE_AREAFLOW", "PIPE_VELOCITY", "HYD_RADIUS", "PIPE_WP", "FROUDE_NO",
    "PIPE_SUMMARY", "ENERGY", "FLOW_TIME", "CRITICAL_DEPTH", "FRICTION_SLOPE",
    "PTCOPTIONSTR", "PTCSTR", "PTCSTR2", "PCBUFSTR", "PAREABUFSTR",
});
// clang-format on

inline constexpr auto kEnergy = std::to_array<std::string_view>({
    "ENODEOUT_NO",
    "EFLOW_DEPTH",
    "W_CULVERT",
    "C_DISCHARGE",
    "BED_MATL",
    "OUTLET_PROTECT",
    "PLINDEX",
    "TXT_EC",
    "TXTEC_L",
    "TXTEC_T",
    "TXT_D",
    "TXT_W",
    "VELOCITY_NS",
    "D50BED",
    "TXT_L",
    "SCOUR_LOCATION",
});

// The list's own spelling of `name` (which must match it exactly), or "".
constexpr std::string_view listed(std::string_view name) {
    for (const auto& names :
         {std::span<const std::string_view>(kProject), std::span<const std::string_view>(kPipe),
          std::span<const std::string_view>(kEnergy)}) {
        for (const std::string_view own : names) {
            if (own == name) return own;
        }
    }
    return {};
}

}  // namespace column_names

class Column {
  public:
    // A column named in the code. A name that no table has is not a constant
    // expression, so it does not compile.
    template <std::size_t N>
    consteval Column(const char (&name)[N]) : name_(checked(std::string_view(name, N - 1))) {}

    // A name read at run time, in any letter case; nullopt when no table has it.
    static std::optional<Column> find(std::string_view name);
    // As find(), but a name that no table has throws std::invalid_argument naming it.
    static Column named(std::string_view name);

    constexpr std::string_view name() const { return name_; }

    friend constexpr bool operator==(Column a, Column b) { return a.name_ == b.name_; }
    friend constexpr auto operator<=>(Column a, Column b) { return a.name_ <=> b.name_; }

  private:
    struct Listed {};
    constexpr Column(Listed, std::string_view name) : name_(name) {}

    static constexpr std::string_view checked(std::string_view name) {
        const std::string_view own = column_names::listed(name);
        if (own.empty()) throw "not a column of the PROJECT, PIPE or ENERGY table";
        return own;
    }

    template <std::size_t N>
    friend constexpr std::array<Column, N> columns_of(const std::array<std::string_view, N>&);

    std::string_view name_;
};

template <std::size_t N>
constexpr std::array<Column, N> columns_of(const std::array<std::string_view, N>& names) {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<Column, N>{Column(Column::Listed{}, names[I])...};
    }
    (std::make_index_sequence<N>());
}

// Every column of a current project file's tables, in table order.
inline constexpr auto kProjectColumns = columns_of(column_names::kProject);
inline constexpr auto kPipeColumns = columns_of(column_names::kPipe);
inline constexpr auto kEnergyColumns = columns_of(column_names::kEnergy);

// The four rows of previous pipes of a PIPE record (k = 1 to 4).
Column previous_pipe_column(int k);
Column previous_ca_column(int k);
Column previous_tc_column(int k);
Column previous_flow_time_column(int k);

}  // namespace pelvane::store
