// One gamma table over a scripted link: what the read stores from unusual answers, and where a read or
// a write stops when the camera refuses an entry's index.
#include "files/GammaTransfer.h"

#include "operations/GammaActions.h"
#include "support/ProtocolFixture.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class GammaTransferTest : public ProtocolFixture {
protected:
    GammaTransferTest()
    {
        // A camera with one table: index settings select, data settings store, data queries answer.
        channel_.responder = [this](const std::string& line) -> std::vector<ScriptedChannel::Piece> {
            lines_.push_back(line);
            const auto equals = line.find('=');
            if (line == "LUTR?") return {{"LUTR=" + std::to_string(Value(index_)) + "\r\n", 0}};
            if (equals == std::string::npos) return {};
            const int value = std::stoi(line.substr(equals + 1));
            if (line.rfind("LUTIR=", 0) == 0) {
                if (value == refusedIndex_) return {{"ERROR INDEX\r\n", 0}};
                if (value >= silentFrom_) return {};
                index_ = value;
                return {{"COMPLETE\r\n", 0}};
            }
            if (line.rfind("LUTR=", 0) == 0) return {{value > 4095 ? "ERROR RANGE\r\n" : "COMPLETE\r\n", 0}};
            return {};
        };
    }

    int Value(int index) const
    {
        if (index == 3) return 4100;
        if (index == 4) return -5;
        return 16 * index;
    }

    std::vector<std::string> lines_;
    int index_ = 0;
    int refusedIndex_ = -1;
    int silentFrom_ = 256;  // indexes from here on get no answer
};

TEST_F(GammaTransferTest, ReadClampsAboveTheRangeAndKeepsWhatArrives)
{
    GammaTable table(0);
    GammaTransfer transfer(command_, nullptr, nullptr, TestHosts());
    EXPECT_EQ(GammaActions::ShowRead(host_, transfer.Read(table)), 1);
    EXPECT_EQ(table.tableData[2], 32);
    EXPECT_EQ(table.tableData[3], 4095);
    EXPECT_EQ(table.tableData[4], -5);  // stored as received
    EXPECT_EQ(table.tableData[255], 4080);
    EXPECT_EQ(table.displayMode, GammaTable::kViewMode);
    EXPECT_TRUE(host_.Shown().empty());
}

TEST_F(GammaTransferTest, ARefusedIndexEndsTheReadBeforeItsQueryAndKeepsNothing)
{
    refusedIndex_ = 7;
    GammaTable table(0);
    table.tableData.fill(1);
    GammaTransfer transfer(command_, nullptr, nullptr, TestHosts());
    EXPECT_EQ(GammaActions::ShowRead(host_, transfer.Read(table)), 0);
    EXPECT_EQ(lines_.back(), "LUTIR=7");  // entry 6's value is never shown as entry 7's
    // Half a table is no table: the entries already read are not kept either.
    EXPECT_EQ(table.tableData[6], 1);
    EXPECT_EQ(table.tableData[7], 1);
    EXPECT_NE(table.displayMode, GammaTable::kViewMode);
    EXPECT_EQ(host_.Texts(), std::vector<std::string>{"Reading the red gamma table stopped at entry 7 of 256.\n"
                                                      "The camera answered: ERROR INDEX\n"
                                                      "The table keeps its previous values."});
}

TEST_F(GammaTransferTest, AWriteSkipsTheValueOfARefusedIndexAndCountsBothKindsOfRefusal)
{
    refusedIndex_ = 9;
    GammaTable table(0);
    for (int i = 0; i < 256; ++i) table.tableData[static_cast<std::size_t>(i)] = 16 * i;
    table.tableData[100] = 5000;
    GammaTransfer transfer(command_, nullptr, nullptr, TestHosts());
    EXPECT_EQ(GammaActions::ShowWrite(host_, transfer.Write(table, 0)), 0);
    EXPECT_EQ(lines_.size(), 511u);  // every entry's index, every value but entry 9's
    EXPECT_EQ(std::count(lines_.begin(), lines_.end(), "LUTR=144"), 0);
    EXPECT_EQ(host_.Texts(), std::vector<std::string>{"Writing the red gamma table: 254 of 256 entries were written.\n"
                                                      "2 entries were refused by the camera: 9, 100.\n"
                                                      "The camera answered: ERROR INDEX"});
}

TEST_F(GammaTransferTest, TheLastTwoEntriesUnansweredAreNamedAndNothingIsCalledUnsent)
{
    silentFrom_ = 254;
    GammaTable table(0);
    GammaTransfer transfer(command_, nullptr, nullptr, TestHosts());
    transfer.SetTimeoutMs(50);
    EXPECT_EQ(GammaActions::ShowWrite(host_, transfer.Write(table, 0)), 0);
    EXPECT_EQ(host_.Texts(), std::vector<std::string>{"Writing the red gamma table: 254 of 256 entries were written.\n"
                                                      "2 entries were not answered: 254, 255.\n"
                                                      "The camera stopped answering."});
}

}  // namespace
