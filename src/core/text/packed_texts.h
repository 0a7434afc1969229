#pragma once
// A row of texts kept in one block: each text after its length (7 bits a byte, low
// bits first). A network of 100,000 pipes with 55 texts each takes about a fifth of
// the room a vector of strings would (32 bytes a string before any text), and any
// byte may appear in a text.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelvane::text {

class PackedTexts {
  public:
    PackedTexts() = default;
    explicit PackedTexts(std::span<const std::string> texts);

    std::size_t size() const { return count_; }
    // The text at `index` (below size()); valid until the row is replaced.
    std::string_view operator[](std::size_t index) const;
    // Every text, in order, into `texts` (resized to size()).
    void unpack_into(std::vector<std::string>& texts) const;
    // Every text, in order, into the strings pointed to (exactly size() of them).
    void unpack_into(std::span<std::string* const> texts) const;
    std::vector<std::string> unpacked() const;

    bool operator==(const PackedTexts&) const = default;

  private:
    std::string block_;
    std::size_t count_ = 0;
};

}  // namespace pelvane::text
