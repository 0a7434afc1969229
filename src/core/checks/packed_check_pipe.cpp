#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "core/checks/checks.h"

namespace pelvane::checks {
namespace {

// The review's own texts, packed after the grade line's (hgl::kHglPipeTexts).
constexpr std::array<std::string CheckPipe::*, 5> kReviewTexts = {
    &CheckPipe::nodeout_station, &CheckPipe::nodeout_topele, &CheckPipe::capacity,
    &CheckPipe::flow_type,       &CheckPipe::froude_no,
};
constexpr std::size_t kTextCount = hgl::kHglPipeTexts.size() + kReviewTexts.size();
static_assert(sizeof(CheckPipe) == sizeof(hgl::HglPipe) + kReviewTexts.size() * sizeof(std::string),
              "every text of a pipe is packed");
static_assert(hgl::each_listed_once(kReviewTexts), "each text once");

constexpr std::size_t position(std::string hgl::HglPipe::*member) {
    const auto* found = std::find(hgl::kHglPipeTexts.begin(), hgl::kHglPipeTexts.end(), member);
    return static_cast<std::size_t>(found - hgl::kHglPipeTexts.begin());
}
constexpr std::size_t kPipeNumber = position(&hgl::HglPipe::pipe_number);
constexpr std::size_t kNodeinNo = position(&hgl::HglPipe::nodein_no);
constexpr std::size_t kNodeoutNo = position(&hgl::HglPipe::nodeout_no);

}  // namespace

PackedCheckPipe::PackedCheckPipe(const CheckPipe& pipe) {
    std::array<std::string, kTextCount> texts;
    std::size_t i = 0;
    for (const auto member : hgl::kHglPipeTexts) texts[i++] = pipe.hgl.*member;
    for (const auto member : kReviewTexts) texts[i++] = pipe.*member;
    texts_ = text::PackedTexts(texts);
}

void PackedCheckPipe::unpack_into(CheckPipe& pipe) const {
    std::array<std::string*, kTextCount> texts{};
    std::size_t i = 0;
    for (const auto member : hgl::kHglPipeTexts) texts[i++] = &(pipe.hgl.*member);
    for (const auto member : kReviewTexts) texts[i++] = &(pipe.*member);
    texts_.unpack_into(texts);
}

void PackedCheckPipe::unpack_into(hgl::HglPipe& pipe) const {
    // The review's own texts land in a scratch record, as the block holds them last.
    CheckPipe scratch;
    unpack_into(scratch);
    pipe = std::move(scratch.hgl);
}

std::string_view PackedCheckPipe::pipe_number() const {
    return texts_[kPipeNumber];
}

std::string_view PackedCheckPipe::nodein_no() const {
    return texts_[kNodeinNo];
}

std::string_view PackedCheckPipe::nodeout_no() const {
    return texts_[kNodeoutNo];
}

}  // namespace pelvane::checks
