// The parameter dispatcher: which notification is which event, what reaches the handler, and the
// check-box and radio actions.
#include "support/PageFixture.h"

#include "framework/qt/CRadioButton.h"
#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"
#include "pages/CParameterDispatcher.h"
#include "pages/PageControls.h"
#include "pages/ParameterEventHandler.h"
#include "support/RecordingMessageHost.h"
#include "tables/CommandTable.h"
#include "support/TestHosts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <vector>

namespace {

struct RecordingSender : ValueSender {
    RequestOutcome Set(int commandIndex, int value, int timeoutMs) override
    {
        sent.push_back({commandIndex, value, timeoutMs});
        return succeed ? RequestOutcome::AllAnswered() : RequestOutcome{};
    }
    struct Sent {
        int command, value, timeout;
        bool operator==(const Sent&) const = default;
    };
    std::vector<Sent> sent;
    bool succeed = true;
};

struct RecordingHandler : ParameterEventHandler {
    void OnEditCommitted(int id) override { events.push_back("edit " + std::to_string(id)); }
    void OnComboChanged(int id) override { events.push_back("combo " + std::to_string(id)); }
    void OnSpinStepped(int id, int position, int delta, bool& cancel) override
    {
        events.push_back("spin " + std::to_string(id) + " " + std::to_string(position) + " " + std::to_string(delta));
        cancel = cancelSpin;
    }
    void OnButtonPressed(int id) override { events.push_back("button " + std::to_string(id)); }
    std::vector<std::string> events;
    bool cancelSpin = false;
};

// One widget of every kind, each with an id, on a page of its own.
struct Widgets {
    CTabSheetDialog page{nullptr, 997, "kinds", 0};
    QLineEdit* edit = new QLineEdit(&page);
    QComboBox* combo = new QComboBox(&page);
    CSpinButton* spin = new CSpinButton(&page);
    QPushButton* push = new QPushButton(&page);
    QCheckBox* check = new QCheckBox(&page);
    CRadioButton* radio = new CRadioButton("r", &page);
    QGroupBox* group = new QGroupBox(&page);
    QLabel* label = new QLabel(&page);

    Widgets()
    {
        int id = 7201;
        for (QWidget* widget : std::initializer_list<QWidget*>{edit, combo, spin, push, check, radio, group, label}) {
            page.AddControl(id++, widget);
        }
    }
};

struct ClassifyCase {
    const char* name;
    NotifyCode code;
    int senderIndex;  // into the Widgets order; -1: no sender
    int idIndex;  // the control the id names
    ParameterEvent expected;
};

class Classification : public ::testing::TestWithParam<ClassifyCase> {};

TEST_P(Classification, AsTheNotificationAndTheControlSay)
{
    Widgets widgets;
    const std::vector<QWidget*> all = {widgets.edit,  widgets.combo, widgets.spin,  widgets.push,
                                       widgets.check, widgets.radio, widgets.group, widgets.label};
    const ClassifyCase& c = GetParam();
    SpinStep step;
    ControlNotification notification{c.code, 7201 + c.idIndex,
                                     c.senderIndex < 0 ? nullptr : all[static_cast<std::size_t>(c.senderIndex)],
                                     c.code == NotifyCode::DeltaPos ? &step : nullptr};
    ControlTable table;
    RecordingSender sender;
    PageBinding pages;
    pages.AddPage(widgets.page);
    EXPECT_EQ(CParameterDispatcher(table, sender, pages, TestHosts()).Classify(notification), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Classification,
    ::testing::Values(ClassifyCase{"edit kill focus", NotifyCode::KillFocus, 0, 0, ParameterEvent::EditCommitted},
                      ClassifyCase{"kill focus of a combo", NotifyCode::KillFocus, 1, 1, ParameterEvent::None},
                      ClassifyCase{"combo selection", NotifyCode::SelChange, 1, 1, ParameterEvent::ComboChanged},
                      ClassifyCase{"selection from an edit", NotifyCode::SelChange, 0, 0, ParameterEvent::None},
                      ClassifyCase{"spin step", NotifyCode::DeltaPos, 2, 2, ParameterEvent::SpinStepped},
                      ClassifyCase{"step from a non-spin", NotifyCode::DeltaPos, 0, 2, ParameterEvent::None},
                      ClassifyCase{"push button", NotifyCode::Clicked, 3, 3, ParameterEvent::ButtonPressed},
                      ClassifyCase{"check box", NotifyCode::Clicked, 4, 4, ParameterEvent::CheckBoxClicked},
                      ClassifyCase{"radio", NotifyCode::Clicked, 5, 5, ParameterEvent::RadioClicked},
                      // The kind is that of the control the id finds, not of the sender.
                      ClassifyCase{"id of a check box", NotifyCode::Clicked, 3, 4, ParameterEvent::CheckBoxClicked},
                      ClassifyCase{"group box", NotifyCode::Clicked, 6, 6, ParameterEvent::None},
                      ClassifyCase{"static", NotifyCode::Clicked, 7, 7, ParameterEvent::None},
                      ClassifyCase{"menu command", NotifyCode::Clicked, -1, 3, ParameterEvent::None},
                      ClassifyCase{"anything else", NotifyCode::Other, 0, 0, ParameterEvent::None}),
    [](const ::testing::TestParamInfo<ClassifyCase>& tp) {
        std::string name = tp.param.name;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

using DispatchTest = PagesFixture;

TEST_F(DispatchTest, PageWidgetsReachTheHandler)
{
    RecordingSender sender;
    RecordingHandler handler;
    CParameterDispatcher dispatcher(table_, sender, binding_, TestHosts(), &handler);
    for (const auto& page : pages_) page->SetDispatcher(&dispatcher);

    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(FindPageControl(1041), &leave);
    QFocusEvent menu(QEvent::FocusOut, Qt::PopupFocusReason);  // the edit's own context menu
    QCoreApplication::sendEvent(FindPageControl(1041), &menu);
    emit qobject_cast<QComboBox*>(FindPageControl(1096))->activated(1);
    ShowValue(1096, 0);  // shown by the program: no event
    auto* spin = qobject_cast<CSpinButton*>(FindPageControl(1045));
    spin->SetPos32(300);
    spin->Step(1);
    qobject_cast<QPushButton*>(FindPageControl(1121))->click();
    EXPECT_EQ(handler.events, (std::vector<std::string>{"edit 1041", "combo 1096", "spin 1045 300 1", "button 1121"}));
    EXPECT_EQ(spin->GetPos32(), 301);
    EXPECT_TRUE(sender.sent.empty());  // sending is the handlers' business

    handler.cancelSpin = true;
    spin->Step(1);
    EXPECT_EQ(spin->GetPos32(), 301);
}

TEST_F(DispatchTest, CheckBoxClickStoresSendsAndCommits)
{
    RecordingSender sender;
    CParameterDispatcher dispatcher(table_, sender, binding_, TestHosts());
    CTabSheetDialog page(nullptr, 996, "checks", 0);
    binding_.AddPage(page);
    page.SetDispatcher(&dispatcher);
    auto* check = new QCheckBox(&page);
    // Trigger Mode's row stands in for a check box the pages do not have.
    page.AddControl(7301, check);
    page.ConnectControl(check);
    ControlTable& table = table_;
    const int row = table.CtrlId2TblIndex(1096);
    table.Row(row).controlId = 7301;
    table.CommitShadow();

    check->click();
    EXPECT_EQ(sender.sent, (std::vector<RecordingSender::Sent>{{cmd::TM, 1, 5000}}));
    EXPECT_EQ(table.GetDataValue(7301), 1);
    EXPECT_EQ(table.GetShadowValue(7301), 1);

    sender.succeed = false;
    check->click();
    // The camera kept 1: the row and the box show it again, and nothing claims the 0 arrived.
    EXPECT_EQ(table.GetDataValue(7301), 1);
    EXPECT_EQ(table.GetShadowValue(7301), 1);
    EXPECT_TRUE(check->isChecked());
}

TEST_F(DispatchTest, RadioClickStoresThePositionUnderTheGroupStart)
{
    RecordingSender sender;
    CParameterDispatcher dispatcher(table_, sender, binding_, TestHosts());
    CTabSheetDialog page(nullptr, 995, "radios", 0);
    binding_.AddPage(page);
    page.SetDispatcher(&dispatcher);
    std::vector<CRadioButton*> radios;
    for (int i = 0; i < 3; ++i) {
        radios.push_back(new CRadioButton(QString::number(i), &page));
        page.AddControl(7401 + i, radios.back());
        page.ConnectControl(radios.back());
    }
    SetGroupStart(radios[0], true);
    ControlTable& table = table_;
    table.Row(table.CtrlId2TblIndex(1099)).controlId = 7401;  // Trigger Activation's row
    table.CommitShadow();

    radios[2]->click();
    EXPECT_EQ(sender.sent, (std::vector<RecordingSender::Sent>{{cmd::TA, 2, 5000}}));
    EXPECT_EQ(table.GetShadowValue(7401), 2);
    EXPECT_FALSE(radios[0]->isChecked());

    sender.succeed = false;
    radios[1]->click();
    EXPECT_EQ(table.GetDataValue(7401), 2);
    EXPECT_TRUE(radios[2]->isChecked());
    EXPECT_FALSE(radios[1]->isChecked());
}

TEST_F(DispatchTest, CheckBoxWithoutATableRowSendsNothing)
{
    RecordingMessageHost messages;
    RecordingSender sender;
    CParameterDispatcher dispatcher(table_, sender, binding_, TestHosts());
    CTabSheetDialog page(nullptr, 994, "loose", 0);
    binding_.AddPage(page);
    page.SetDispatcher(&dispatcher);
    auto* check = new QCheckBox(&page);
    page.AddControl(7501, check);
    page.ConnectControl(check);
    check->click();
    EXPECT_TRUE(sender.sent.empty());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unexpected error occurred in SetDataValue()."});
}

}  // namespace
