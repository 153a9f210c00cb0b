// Showing a lookup that found nothing.
#include "operations/TableLookupActions.h"

#include "framework/MessageBox.h"

void TableLookupActions::LookupFailed(const std::string& text)
{
    ShowMessage(messages_, text, {}, MessageButtons::Ok, MessageIcon::Exclamation);
}
