// Asking before a table file that does not look like the table is used.
#include "operations/TableFileActions.h"

#include "framework/MessageBox.h"

bool TableFileActions::Confirm(MessageHost& messages, const std::string& path, std::string_view firstLine, int rows,
                               TableFileCheck::Table table)
{
    if (TableFileCheck::LooksWhole(table, firstLine, rows)) return true;
    return ShowMessage(messages, TableFileCheck::Question(path, firstLine, rows, table), {}, MessageButtons::YesNo,
                       MessageIcon::Question, MessageResult::No) == MessageResult::Yes;
}
