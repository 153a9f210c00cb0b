// The six parameter pages as the main window makes them, for tests, on a control table of each test's own.
#pragma once

#include "operations/TableLookupActions.h"
#include "pages/CTabSheetDialog.h"
#include "pages/PageBinding.h"
#include "support/TestHosts.h"
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
    // The pages' controls through the fixture's binding, as the main window's binding reaches them.
    QWidget* FindPageControl(int controlId) const { return binding_.Control(controlId); }
    int ReadControlValue(int controlId) const { return binding_.Value(controlId); }
    int ShowValue(int controlId, int value) { return binding_.ShowValue(controlId, value) ? 1 : 0; }
    int ShowPageControl(int controlId, bool show) { return binding_.ShowControl(controlId, show) ? 1 : 0; }

    // Template ids of the created pages, in page order.
    static const std::vector<int>& CreatedTemplates();

    MessageHost& messages_ = TestHosts().messages;  // routed to the test's recording host
    TableLookupActions lookupFailures_{messages_};
    ControlTable table_{&lookupFailures_};
    std::vector<std::unique_ptr<CTabSheetDialog>> pages_;
    PageBinding binding_;
};
