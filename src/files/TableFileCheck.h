// Whether a table file the operator chose looks like the table it is read for. A file the tool wrote (the
// table's own first line, a full table) passes; for anything else the operator is asked (TableFileActions)
// before it is sent or kept, since a wrong file (a gamma file for the shading table, a file cut short)
// would overwrite the camera's table.
#pragma once

#include <string>
#include <string_view>

class TableFileCheck {
public:
    enum class Table { Shading, Gamma };

    // What a first line says the file holds: "shading data", "gamma data", "data without a header" (a line
    // of numbers), else "unknown data".
    static std::string LooksLike(std::string_view firstLine);
    // Whether the line is the table's own first line. Blanks, tabs and commas at its end do not count: a
    // spreadsheet pads every row to the width of the others.
    static bool IsHeaderOf(Table table, std::string_view firstLine);
    // "<path>\nThis file holds <rows> rows of <what it looks like>; a full <shading|gamma> table has
    // <1024|256>. Write it anyway?"
    static std::string Question(const std::string& path, std::string_view firstLine, int rows, Table table);
    // True for the table's own first line and at least a full table: the file is taken without a question.
    static bool LooksWhole(Table table, std::string_view firstLine, int rows);
};
