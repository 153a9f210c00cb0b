// Every page as laid out from its layout, at the size the main window gives it, as committed.
#include "support/PageFixture.h"
#include "support/RenderFile.h"

#include "pages/CTabSheetDialog.h"

namespace {

class PageRender : public PagesFixture {};

TEST_F(PageRender, EachPage)
{
    for (const auto& page : pages_) {
        ShowValue(1093, 0);
        page->resize(1260, 700);
        page->show();
        SaveAndCompareRender(*page, QStringLiteral("page-%1").arg(page->TemplateId()));
    }
}

}  // namespace
