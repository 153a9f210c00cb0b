// The generic page-control handlers on the real pages, with a camera that takes or refuses values.
#include "operations/ParameterHandlers.h"

#include "framework/qt/CSpinButton.h"
#include "tables/ControlIds.h"
#include "pages/PageControls.h"
#include "support/PageFixture.h"
#include "support/RecordingMessageHost.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"
#include "support/TestHosts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kWidthEdit = 1225;  // WTC, 8 .. 4096, default 4096
constexpr int kWidthSpin = 1226;
constexpr int kGainAllEdit = 1041;  // GA, 100 .. 800
constexpr int kTriggerSource = 1098;
constexpr int kLutIndexG = 1160;
constexpr int kTiltedViewMode = 1555;  // a combo with no table row
constexpr int kTiltedViewAngle = 1556;

// The camera as the handlers see it: records every value and answers from a queue (1 when empty).
class RecordingSender : public ValueSender {
public:
    RequestOutcome Set(int commandIndex, int value, int) override
    {
        sent.emplace_back(commandIndex, value);
        if (answers.empty()) return RequestOutcome::AllAnswered();
        const int answer = answers.front();
        answers.pop_front();
        return answer ? RequestOutcome::AllAnswered() : RequestOutcome{};
    }
    std::vector<std::pair<int, int>> sent;
    std::deque<int> answers;
};

class Handlers : public PagesFixture {
protected:
    void SetUp() override
    {
        PagesFixture::SetUp();
        table_.CommitShadow();
        for (int row = 0; table_.Row(row).controlId != -1; ++row) {
            ShowValue(table_.Row(row).controlId, table_.Row(row).value);
        }
    }

    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(FindPageControl(id)); }
    CSpinButton* Spin(int id) const { return qobject_cast<CSpinButton*>(FindPageControl(id)); }
    QComboBox* Combo(int id) const { return qobject_cast<QComboBox*>(FindPageControl(id)); }

    RecordingMessageHost messages_;
    RecordingSender camera_;
    ParameterHandlers handlers_{camera_, table_, binding_, TestHosts()};
};

struct EditCase {
    const char* typed;
    bool sent;
    int shown;
};

class EditTexts : public Handlers, public ::testing::WithParamInterface<EditCase> {};

// Only a whole number inside the spin's range is taken; anything else shows the previous width again.
TEST_P(EditTexts, WidthEditTakesOnlyNumbersOfItsRange)
{
    const EditCase& c = GetParam();
    Edit(kWidthEdit)->setText(QString::fromUtf8(c.typed));
    handlers_.OnEditCommitted(kWidthEdit);

    if (c.sent) {
        ASSERT_EQ(camera_.sent, (std::vector<std::pair<int, int>>{{cmd::WTC, c.shown}}));
    } else {
        EXPECT_TRUE(camera_.sent.empty());
    }
    EXPECT_EQ(Edit(kWidthEdit)->text().toStdString(), std::to_string(c.shown));
    EXPECT_EQ(Spin(kWidthSpin)->GetPos32(), c.shown);
    EXPECT_EQ(table_.GetDataValue(kWidthEdit), c.shown);
    EXPECT_EQ(table_.GetShadowValue(kWidthEdit), c.shown);
    EXPECT_TRUE(messages_.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, EditTexts,
                         ::testing::Values(EditCase{"100", true, 100}, EditCase{" 64 ", true, 64},
                                           EditCase{"8", true, 8}, EditCase{"+9", true, 9},
                                           EditCase{"4096", false, 4096}, EditCase{"5000", false, 4096},
                                           EditCase{"7", false, 4096}, EditCase{"12a", false, 4096},
                                           EditCase{"", false, 4096}, EditCase{"-5", false, 4096},
                                           EditCase{"99999999999999999999", false, 4096}));

TEST_F(Handlers, RefusedEditValueGoesBackToWhatTheCameraHas)
{
    camera_.answers = {0};
    Edit(kWidthEdit)->setText("512");
    handlers_.OnEditCommitted(kWidthEdit);

    EXPECT_EQ(camera_.sent, (std::vector<std::pair<int, int>>{{cmd::WTC, 512}}));
    EXPECT_EQ(table_.GetDataValue(kWidthEdit), 4096);
    EXPECT_EQ(Edit(kWidthEdit)->text().toStdString(), "4096");
    EXPECT_EQ(Spin(kWidthSpin)->GetPos32(), 4096);
    // Nothing is left differing from the shadow, so the next change sends only itself.
    Edit(kWidthEdit)->setText("256");
    handlers_.OnEditCommitted(kWidthEdit);
    EXPECT_EQ(camera_.sent.back(), std::make_pair(static_cast<int>(cmd::WTC), 256));
    EXPECT_EQ(camera_.sent.size(), 2u);
}

TEST_F(Handlers, SpinMarginKeepsTheValueStrictlyInside)
{
    table_.Row(table_.CtrlId2TblIndex(kGainAllEdit)).spinMargin = 1;
    binding_.SetSpinRanges(table_);  // 99 .. 801
    Edit(kGainAllEdit)->setText("801");
    handlers_.OnEditCommitted(kGainAllEdit);
    Edit(kGainAllEdit)->setText("99");
    handlers_.OnEditCommitted(kGainAllEdit);
    Edit(kGainAllEdit)->setText("802");
    handlers_.OnEditCommitted(kGainAllEdit);
    EXPECT_EQ(camera_.sent, (std::vector<std::pair<int, int>>{{cmd::GA, 800}, {cmd::GA, 100}}));
    EXPECT_EQ(Edit(kGainAllEdit)->text().toStdString(), "100");
}

TEST_F(Handlers, OperandEditsAndEditsWithoutARowSendNothing)
{
    Edit(kLutIndexG)->setText("5");
    handlers_.OnEditCommitted(kLutIndexG);
    EXPECT_EQ(Edit(kLutIndexG)->text().toStdString(), "5");
    Spin(kLutIndexG + 1)->SetPos32(5);
    bool cancel = false;
    handlers_.OnSpinStepped(kLutIndexG + 1, 5, 1, cancel);
    EXPECT_FALSE(cancel);

    Edit(kTiltedViewAngle)->setText("12");
    handlers_.OnEditCommitted(kTiltedViewAngle);
    Combo(kTiltedViewMode)->setCurrentIndex(1);
    handlers_.OnComboChanged(kTiltedViewMode);
    handlers_.OnComboChanged(ctl::kCameraModelCombo);

    EXPECT_TRUE(camera_.sent.empty());
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

TEST_F(Handlers, SpinStepIsLimitedToTheRangeAndARefusalKeepsTheSpin)
{
    Edit(kWidthEdit)->setText("4090");
    handlers_.OnEditCommitted(kWidthEdit);
    bool cancel = false;
    handlers_.OnSpinStepped(kWidthSpin, 4090, 10, cancel);
    EXPECT_TRUE(cancel) << "the handler shows the accepted value itself, the spin does not step over it";
    EXPECT_EQ(camera_.sent.back(), std::make_pair(static_cast<int>(cmd::WTC), 4096));
    EXPECT_EQ(table_.GetShadowValue(kWidthEdit), 4096);
    EXPECT_EQ(Edit(kWidthEdit)->text().toStdString(), "4096");
    cancel = false;

    camera_.answers = {0};
    handlers_.OnSpinStepped(kWidthSpin, 4096, -100, cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(camera_.sent.back(), std::make_pair(static_cast<int>(cmd::WTC), 3996));
    EXPECT_EQ(table_.GetDataValue(kWidthEdit), 4096);
    EXPECT_EQ(Spin(kWidthSpin)->GetPos32(), 4096);
    EXPECT_EQ(Edit(kWidthEdit)->text().toStdString(), "4096");
}

TEST_F(Handlers, HooksRunAroundTheGenericUpdateInTheirPlace)
{
    std::vector<std::string> order;
    const int mode = 1096;  // Trigger Mode
    handlers_.SetComboHook(mode, ParameterHandlers::HookTime::Before,
                           [&] { order.push_back("before:" + std::to_string(camera_.sent.size())); });
    handlers_.SetComboHook(mode, ParameterHandlers::HookTime::After,
                           [&] { order.push_back("after:" + std::to_string(camera_.sent.size())); });
    handlers_.SetFollowUp(kWidthEdit, [&] { order.push_back("follow-up"); });
    handlers_.SetButtonAction(1010, [&] { order.push_back("terminal"); });
    handlers_.SetComboHook(kTriggerSource, ParameterHandlers::HookTime::Instead, [&] { order.push_back("instead"); });

    Combo(mode)->setCurrentIndex(1);
    handlers_.OnComboChanged(mode);
    camera_.answers = {0};
    Edit(kWidthEdit)->setText("100");
    handlers_.OnEditCommitted(kWidthEdit);  // refused, the follow-up still runs
    Combo(kTriggerSource)->setCurrentIndex(3);
    handlers_.OnComboChanged(kTriggerSource);
    handlers_.OnButtonPressed(1010);
    handlers_.OnButtonPressed(1012);  // not handled yet: nothing

    EXPECT_EQ(order, (std::vector<std::string>{"before:0", "after:1", "follow-up", "instead", "terminal"}));
    EXPECT_EQ(camera_.sent.size(), 2u);
}

struct LineRateCase {
    int lineRate;
    const char* period;
    const char* frequency;
};

class LineRate : public Handlers, public ::testing::WithParamInterface<LineRateCase> {};

TEST_P(LineRate, PeriodAndFrequencyOfTheLineRateValue)
{
    table_.SetDataValue(ctl::kLineRate, GetParam().lineRate);
    handlers_.ShowLineRate();
    auto text = [this](int id) { return qobject_cast<QLabel*>(FindPageControl(id))->text().toStdString(); };
    EXPECT_EQ(text(ctl::kLinePeriodStatic), GetParam().period);
    EXPECT_EQ(text(ctl::kLineFrequencyStatic), GetParam().frequency);
}

INSTANTIATE_TEST_SUITE_P(Values, LineRate,
                         ::testing::Values(LineRateCase{1234, "12.34us", "81037.2771hz"},
                                           LineRateCase{1, "0.01us", "100000000.0000hz"},
                                           LineRateCase{100, "1.00us", "1000000.0000hz"},
                                           LineRateCase{0, "0.00us", "---"}));

}  // namespace
