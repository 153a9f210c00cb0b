// Which commands each camera model lacks.
#include "tables/CameraModelInfo.h"
#include "tables/CommandTable.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::set<int> Missing(int modelCode)
{
    std::set<int> missing;
    for (int index = 0; index < CommandTable::kCount; ++index) {
        if (!IsSupportedOnModel(index, modelCode)) missing.insert(index);
    }
    return missing;
}

std::set<int> Range(int first, int last)
{
    std::set<int> indexes;
    for (int index = first; index <= last; ++index) indexes.insert(index);
    return indexes;
}

TEST(CameraModelInfo, EachModelLacksExactlyItsCommands)
{
    std::set<int> b1 = {17, 19, 21, 22, 23, 36, 47, 48, 49, 114, 247, 248, 249};
    b1.merge(Range(223, 240));
    EXPECT_EQ(Missing(kModelCodeB1), b1);

    std::set<int> a1 = {28, 39, 46, 127, 128};
    a1.merge(Range(142, 146));
    a1.merge(Range(214, 222));
    EXPECT_EQ(Missing(kModelCodeA1), a1);
}

TEST(CameraModelInfo, AnUnknownModelHasEveryCommand)
{
    for (int code : {int{kModelCodeUnknown}, 2, -1}) EXPECT_TRUE(Missing(code).empty()) << code;
}

// What a recorded model supports decides what the reader asks (CameraReaderTest).
TEST(CameraModelInfo, TheRecordStartsUnknown)
{
    CameraModelInfo info;
    EXPECT_EQ(info.modelCode, kModelCodeUnknown);
    EXPECT_FALSE(info.IsKnown());
    EXPECT_TRUE(info.modelName.empty());
    info.modelCode = kModelCodeA1;
    EXPECT_TRUE(info.IsKnown());
}

}  // namespace
