#include "tables/ControlTable.h"

#include "operations/TableLookupActions.h"
#include "support/RecordingMessageHost.h"
#include "tables/CommandTable.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

class RecordingSender : public ValueSender {
public:
    RequestOutcome Set(int commandIndex, int value, int timeoutMs) override
    {
        sent.push_back({commandIndex, value});
        timeouts.push_back(timeoutMs);
        if (failAt == static_cast<int>(sent.size())) return {};
        return RequestOutcome::AllAnswered();
    }
    std::vector<std::pair<int, int>> sent;
    std::vector<int> timeouts;
    int failAt = 0;  // 1-based number of the send that fails; 0: none
};

}  // namespace

// Every row's fields are the camera data sheet's (DataSheetTest); the end row closes the table.
TEST(ControlTable, TheEndRowClosesTheTable)
{
    ControlTable table;
    const ControlEntry& end = table.Row(ControlTable::kRowCount);
    EXPECT_EQ(end.controlId, -1);
    EXPECT_EQ(end.controlKind, kKindEnd);
    EXPECT_EQ(end.spinMargin, 2);
    EXPECT_EQ(end.group, kGroupEnd);
}

TEST(ControlTable, InvariantsHoldForEveryRow)
{
    ControlTable table;
    std::set<int> ids;
    for (int row = 0; row < ControlTable::kRowCount; ++row) {
        const ControlEntry& e = table.Row(row);
        EXPECT_TRUE(ids.insert(e.controlId).second) << "duplicate id " << e.controlId;
        EXPECT_GE(e.commandIndex, 0);
        EXPECT_LT(e.commandIndex, CommandTable::kCount);
        if (e.controlKind == kKindButton) {
            EXPECT_EQ(e.group, kGroupAction);
            EXPECT_EQ(e.storedInFile, 0);
            EXPECT_EQ(e.value, 0);
        }
        if (e.group == kGroupFactory && e.controlId != 1128) {
            EXPECT_EQ(e.storedInFile, 1) << e.controlId;
        }
        if (e.controlKind == kKindEdit) {
            EXPECT_LE(e.minimum, e.value) << e.controlId;
            EXPECT_LE(e.value, e.maximum) << e.controlId;
        }
    }
    EXPECT_EQ(table.CountValueRows(), 201);
    EXPECT_EQ(table.CountUserValueRows(), 164);
}

TEST(ControlTable, LookupsAndTheirMessages)
{
    // The table tells its sink; the tool's sink shows each lookup that found nothing in a box.
    RecordingMessageHost host;
    TableLookupActions failures(host);
    ControlTable table(&failures);
    EXPECT_EQ(table.GetDataValue(1041), 100);
    EXPECT_EQ(table.ToCtrlId(cmd::CBDRT), 1124);
    EXPECT_EQ(table.ToCtrlId(cmd::RS), 1121);
    EXPECT_EQ(table.ToCmdId(1041), cmd::GA);
    EXPECT_EQ(table.CtrlId2TblIndex(1041), 27);
    EXPECT_EQ(table.IsFactoryParam(1255), 1);
    EXPECT_EQ(table.IsFactoryParam(1041), 0);
    EXPECT_EQ(table.IsFactoryParam(1128), 1);
    EXPECT_EQ(table.IsStoredInFile(1119), 0);
    EXPECT_EQ(table.IsStoredInFile(1041), 1);
    int minimum = 7, maximum = 7;
    EXPECT_EQ(table.GetRange(1246, minimum, maximum), 1);
    EXPECT_EQ(minimum, 40);
    EXPECT_EQ(maximum, 1600);
    EXPECT_TRUE(host.Shown().empty());

    // 1045 is the Gain All spin: a page control without a row.
    EXPECT_EQ(table.SetDataValue(1045, 5), 0);
    EXPECT_EQ(table.GetDataValue(1045), -1);
    EXPECT_EQ(table.GetShadowValue(1045), -1);
    EXPECT_EQ(table.ToCmdId(1045), -1);
    EXPECT_EQ(table.ToCtrlId(cmd::EB), -1);  // bound to the end row only, which never matches
    EXPECT_EQ(table.GetSpinMargin(1045), -1);
    EXPECT_EQ(table.GetRange(1045, minimum, maximum), 0);
    EXPECT_EQ(table.IsFactoryParam(1045), 0);
    EXPECT_EQ(table.IsStoredInFile(1045), 0);
    EXPECT_EQ(table.IsFactoryParam(-1), 0);  // the end row's id is never found
    EXPECT_EQ(minimum, 40) << "a failed GetRange leaves its out-values alone";
    const std::vector<std::string> expected = {
        "Unexpected error occurred in SetDataValue().",
        "Unexpected error occurred in GetDataValue().",
        "Unexpected error occurred in GetDataValue().",
        "Unexpected error occurred in ToCmdId().",
        "Unexpected error occurred in ToCtrlId(): Command id is 0",
        "Unexpected error occurred in CtrlId2TblIndex().",
        "Unexpected error occurred in CtrlId2TblIndex().",
        "ERROR: IsFactoryParam(): Control id \"1045: 0x415\" is not registered in database table",
        "ERROR: IsFactoryParam(): Control id \"-1: 0xffffffff\" is not registered in database table",
    };
    EXPECT_EQ(host.Texts(), expected);
    for (const MessageRequest& request : host.Shown()) {
        EXPECT_EQ(request.icon, MessageIcon::Exclamation);
        EXPECT_EQ(request.buttons, MessageButtons::Ok);
    }
    for (int row = 0; row < ControlTable::kRowCount; ++row) {
        EXPECT_EQ(table.Row(row).value, ControlTable::Defaults()[static_cast<std::size_t>(row)].value);
    }
}

TEST(ControlTable, UpdateStepSendsChangedRowsInTableOrder)
{
    ControlTable table;
    table.CommitShadow();
    RecordingSender sender;
    EXPECT_TRUE(table.WriteChangedValues(sender).Answered());
    EXPECT_TRUE(sender.sent.empty()) << "levelled shadows send nothing";

    // Set in reverse table order: the sends still follow the table.
    table.SetDataValue(1246, 250);  // GAR, row 28
    table.SetDataValue(1041, 400);  // GA, row 27
    EXPECT_TRUE(table.WriteChangedValues(sender).Answered());
    const std::vector<std::pair<int, int>> expected = {{cmd::GA, 400}, {cmd::GAR, 250}};
    EXPECT_EQ(sender.sent, expected);
    EXPECT_EQ(sender.timeouts, (std::vector<int>{5000, 5000}));
    EXPECT_EQ(table.GetShadowValue(1041), 100) << "WriteChangedValues leaves the shadows alone";
    table.CommitShadow();
    EXPECT_EQ(table.GetShadowValue(1041), 400);
}

TEST(ControlTable, FailedSendStopsThePass)
{
    ControlTable table;
    table.CommitShadow();
    table.SetDataValue(1041, 400);
    table.SetDataValue(1246, 250);
    RecordingSender sender;
    sender.failAt = 1;
    EXPECT_FALSE(table.WriteChangedValues(sender).Answered());
    ASSERT_EQ(sender.sent.size(), 1u) << "the row after the failed one is not attempted";

    table.CommitShadow();
    RecordingSender later;
    EXPECT_TRUE(table.WriteChangedValues(later).Answered());
    EXPECT_TRUE(later.sent.empty());
}
