// The core on its own: a protocol round trip through the table, the link and a scripted channel, in a
// program that links only rv_core (the ctest next to this one checks that no Qt library came along).
#include "support/ProtocolFixture.h"

#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

namespace {

using CoreWithoutQt = ProtocolFixture;

TEST_F(CoreWithoutQt, TableChangesGoOutAndAnswersComeBack)
{
    Answer("GA=205", "COMPLETE");
    Answer("GA?", "GA=205");
    ControlTable table;
    table.CommitShadow();  // the defaults count as the camera's values
    const int gainAll = table.ToCtrlId(cmd::GA);
    ASSERT_GT(gainAll, 0);
    ASSERT_EQ(table.SetDataValue(gainAll, 205), 1);
    EXPECT_TRUE(table.WriteChangedValues(command_).Answered());
    const RequestOutcome valueAsked = command_.Ask(cmd::GA, 1000);
    EXPECT_TRUE(valueAsked.Answered());
    EXPECT_EQ(valueAsked.value.intValue, 205);
}

}  // namespace
