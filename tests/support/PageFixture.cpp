// Pages built from their layouts, with spin ranges and combo codes set as at start-up.
#include "support/PageFixture.h"

const std::vector<int>& PagesFixture::CreatedTemplates()
{
    static const std::vector<int> templates = {111, 112, 113, 114, 115, 117};
    return templates;
}

void PagesFixture::SetUp()
{
    static const char* const captions[] = {"User A", "User B", "User C", "User D", "User E", "Factory A"};
    int index = 0;
    for (int templateId : CreatedTemplates()) {
        auto page = std::make_unique<CTabSheetDialog>(nullptr, templateId, captions[index], templateId == 117);
        ASSERT_EQ(page->Create(nullptr), 1) << templateId;
        binding_.AddPage(*page);
        pages_.push_back(std::move(page));
        ++index;
    }
    binding_.SetSpinRanges(table_);
    binding_.InitComboItemData();
}

void PagesFixture::TearDown() { pages_.clear(); }

CTabSheetDialog* PagesFixture::Page(int templateId) const
{
    for (const auto& page : pages_) {
        if (page->TemplateId() == templateId) return page.get();
    }
    return nullptr;
}
