#include "core/text/packed_texts.h"

#include <cassert>

namespace pelvane::text {
namespace {

constexpr unsigned kLowBits = 0x7f;
constexpr unsigned kMore = 0x80;
constexpr unsigned kBitsPerByte = 7;

void put_length(std::string& block, std::size_t length) {
    while (length > kLowBits) {
        block.push_back(static_cast<char>((length & kLowBits) | kMore));
        length >>= kBitsPerByte;
    }
    block.push_back(static_cast<char>(length));
}

// The length at `at`, moving `at` past it.
std::size_t take_length(std::string_view block, std::size_t& at) {
    std::size_t length = 0;
    for (unsigned shift = 0;; shift += kBitsPerByte) {
        const auto byte = static_cast<unsigned char>(block[at++]);
        length |= static_cast<std::size_t>(byte & kLowBits) << shift;
        if ((byte & kMore) == 0) return length;
    }
}

}  // namespace

PackedTexts::PackedTexts(std::span<const std::string> texts) : count_(texts.size()) {
    std::size_t bytes = 0;
    for (const std::string& t : texts) bytes += t.size() + 1;
    block_.reserve(bytes);
    for (const std::string& t : texts) {
        put_length(block_, t.size());
        block_ += t;
    }
    block_.shrink_to_fit();
}

std::string_view PackedTexts::operator[](std::size_t index) const {
    assert(index < count_);
    std::size_t at = 0;
    for (;;) {
        const std::size_t length = take_length(block_, at);
        if (index-- == 0) return std::string_view(block_).substr(at, length);
        at += length;
    }
}

void PackedTexts::unpack_into(std::vector<std::string>& texts) const {
    texts.resize(count_);
    std::size_t at = 0;
    for (std::string& t : texts) {
        const std::size_t length = take_length(block_, at);
        t.assign(block_, at, length);
        at += length;
    }
}

void PackedTexts::unpack_into(std::span<std::string* const> texts) const {
    assert(texts.size() == count_);
    std::size_t at = 0;
    for (std::string* t : texts) {
        const std::size_t length = take_length(block_, at);
        t->assign(block_, at, length);
        at += length;
    }
}

std::vector<std::string> PackedTexts::unpacked() const {
    std::vector<std::string> texts;
    unpack_into(texts);
    return texts;
}

}  // namespace pelvane::text
