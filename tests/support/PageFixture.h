// The six parameter pages as the main window makes them, for tests, on a control table of each test's own.
#pragma once

#include "pages/CTabSheetDialog.h"
#include "tables/ControlTable.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

class PagesFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CTabSheetDialog* Page(int templateId) const;

    // Template ids of the created pages, in page order.
    static const std::vector<int>& CreatedTemplates();

    ControlTable table_;
    std::vector<std::unique_ptr<CTabSheetDialog>> pages_;
};
