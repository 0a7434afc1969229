#pragma once
// The value a worksheet cell holds, as read back from a workbook.

#include <string>

namespace pelvane::report {

struct CellValue {
    enum class Kind { Empty, Number, Text, Boolean, Error };
    Kind kind = Kind::Empty;
    double number = 0.0;  // Number; Boolean as 0 or 1
    std::string text;     // Text; Error as its code ("#DIV/0!"); Boolean "TRUE"/"FALSE"

    bool empty() const { return kind == Kind::Empty; }
    bool is_number() const { return kind == Kind::Number; }
    bool is_text() const { return kind == Kind::Text; }
};

}  // namespace pelvane::report
