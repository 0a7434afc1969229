#pragma once
// Text files as people save them: spreadsheets on Windows write "CSV" in the
// Windows-1252 code page, newer ones in UTF-8. Everything inside the program is
// UTF-8, so text read from a file is checked and, when it is not UTF-8, converted.

#include <cstddef>
#include <string>
#include <string_view>

namespace pelvane::text {

// Offset of the first byte that does not belong to a well-formed UTF-8 sequence
// (overlong forms, surrogates and code points above U+10FFFF are not), or npos.
std::size_t first_invalid_utf8(std::string_view bytes);

// Every byte as its Windows-1252 character in UTF-8. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of
// the same number, as the WHATWG Encoding Standard's windows-1252 index maps them,
// so no byte is ever lost.
std::string windows1252_to_utf8(std::string_view bytes);

}  // namespace pelvane::text
