// The factory-mode access code.
#include "app/FactoryKeySequence.h"

#include <gtest/gtest.h>

#include <Qt>

#include <string>
#include <vector>

namespace {

struct Press {
    int key;
    bool shift = false;
    bool ctrl = false;
};

const Press kArm{Qt::Key_F12, true, true};

Press Key(char letter) { return {Qt::Key_A + (letter - 'A')}; }

struct SequenceCase {
    const char* name;
    std::vector<Press> presses;
    int completions;
};

class FactoryCode : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(FactoryCode, CompletesOnlyAfterArmingAndTheLettersInOrder)
{
    FactoryKeySequence sequence;
    int completions = 0;
    for (const Press& press : GetParam().presses) {
        if (sequence.OnKey(press.key, press.shift, press.ctrl) == FactoryKeySequence::Result::Completed) ++completions;
    }
    EXPECT_EQ(completions, GetParam().completions);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, FactoryCode,
    ::testing::Values(
        SequenceCase{"Code", {kArm, Key('F'), Key('A'), Key('C')}, 1},
        SequenceCase{"WrongLetterDisarms", {kArm, Key('F'), Key('X'), Key('A'), Key('C')}, 0},
        SequenceCase{"LettersWithoutArming", {Key('F'), Key('A'), Key('C')}, 0},
        SequenceCase{"F12WithoutCtrl", {{Qt::Key_F12, true, false}, Key('F'), Key('A'), Key('C')}, 0},
        SequenceCase{"F12WithoutShift", {{Qt::Key_F12, false, true}, Key('F'), Key('A'), Key('C')}, 0},
        SequenceCase{"ModifierKeysDoNotDisarm",
                     {kArm, {Qt::Key_Shift, true}, Key('F'), {Qt::Key_Control, false, true}, Key('A'), Key('C')},
                     1},
        SequenceCase{"ArmingAgainRestarts", {kArm, Key('F'), Key('A'), kArm, Key('F'), Key('A'), Key('C')}, 1},
        SequenceCase{"CompletionDisarms", {kArm, Key('F'), Key('A'), Key('C'), Key('F'), Key('A'), Key('C')}, 1},
        SequenceCase{"Twice", {kArm, Key('F'), Key('A'), Key('C'), kArm, Key('F'), Key('A'), Key('C')}, 2},
        SequenceCase{"WrongOrder", {kArm, Key('A'), Key('F'), Key('C')}, 0}),
    [](const ::testing::TestParamInfo<SequenceCase>& tp) { return std::string(tp.param.name); });

TEST(FactoryCodeState, ArmedKeysAreConsumedAndOthersPassOn)
{
    FactoryKeySequence sequence;
    EXPECT_EQ(sequence.OnKey(Qt::Key_F, false, false), FactoryKeySequence::Result::Ignored);
    EXPECT_EQ(sequence.OnKey(Qt::Key_F12, true, true), FactoryKeySequence::Result::Consumed);
    EXPECT_TRUE(sequence.IsArmed());
    EXPECT_EQ(sequence.OnKey(Qt::Key_F, false, false), FactoryKeySequence::Result::Consumed);
    EXPECT_EQ(sequence.Position(), 1);
    EXPECT_EQ(sequence.OnKey(Qt::Key_Return, false, false), FactoryKeySequence::Result::Ignored);
    EXPECT_FALSE(sequence.IsArmed());
    EXPECT_EQ(sequence.Position(), 0);
}

}  // namespace
