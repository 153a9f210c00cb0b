// Limits, temperature, single LUT entries and counters on a button press.
#include "operations/ReadoutButtons.h"

#include "link/Command.h"
#include "operations/LutEditorOpener.h"
#include "operations/ParameterHandlers.h"
#include "operations/RequestReport.h"
#include "operations/ResultTexts.h"
#include "pages/PageControls.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <QLabel>
#include <QLineEdit>

namespace {

enum : int {
    kReadLineRateLimit = 1219,
    kLineRateMinStatic = 1218,
    kReadExposureLimits = 1222,
    kExposureMaxStatic = 1220,
    kExposureMinStatic = 1221,
    kGetTemperature = 1125,
    kTemperatureEdit = 1049,
    kOpenLutTable = 1132,
};

struct LutRow {
    int indexEdit;
    int dataEdit;
    int readButton;
    int writeButton;
    int indexCommand;
    int dataCommand;
};

constexpr LutRow kLutRows[3] = {
    {1160, 1162, 1164, 1165, cmd::LUTIG, cmd::LUTG},
    {1421, 1423, 1430, 1431, cmd::LUTIR, cmd::LUTR},
    {1425, 1427, 1432, 1433, cmd::LUTIB, cmd::LUTB},
};

struct CounterRow {
    int resetButton;
    int readButton;
    int valueEdit;
    int statusEdit;
    int valueCommand;
    int statusCommand;
    int resetCommand;
};

constexpr CounterRow kCounters[4] = {
    {1441, 1442, 1443, 1444, cmd::CV0, cmd::CS0, cmd::CR0},
    {1447, 1448, 1449, 1450, cmd::CV1, cmd::CS1, cmd::CR1},
    {1453, 1454, 1455, 1456, cmd::CV2, cmd::CS2, cmd::CR2},
    {1459, 1460, 1461, 1462, cmd::CV3, cmd::CS3, cmd::CR3},
};

// Shows the text in a static or an edit of the pages.
void SetText(int controlId, const QString& text)
{
    QWidget* control = FindPageControl(controlId);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    }
}

QString Number(int value) { return QString::asprintf("%d", value); }

// An edit's text as a number: its leading digits, 0 without any.
int EditNumber(int controlId)
{
    auto* edit = qobject_cast<QLineEdit*>(FindPageControl(controlId));
    return edit ? ParseLeadingInt(edit->text().toStdString()) : 0;
}

}  // namespace

ReadoutButtons::ReadoutButtons(Command& command, ControlTable& table) : command_(command), table_(table) {}

void ReadoutButtons::Install(ParameterHandlers& handlers)
{
    handlers.SetButtonAction(kReadLineRateLimit, [this] { ReadLineRateLimit(); });
    handlers.SetButtonAction(kReadExposureLimits, [this] { ReadExposureLimits(); });
    handlers.SetButtonAction(kGetTemperature, [this] { ReadTemperature(); });
    handlers.SetButtonAction(kOpenLutTable, [this] { OpenLutEditor(); });
    for (int colour = 0; colour < 3; ++colour) {
        handlers.SetButtonAction(kLutRows[colour].readButton, [this, colour] { ReadLutEntry(colour); });
        handlers.SetButtonAction(kLutRows[colour].writeButton, [this, colour] { WriteLutEntry(colour); });
    }
    for (int counter = 0; counter < 4; ++counter) {
        handlers.SetButtonAction(kCounters[counter].readButton, [this, counter] { ReadCounter(counter); });
        handlers.SetButtonAction(kCounters[counter].resetButton, [this, counter] { ResetCounter(counter); });
    }
}

// A read that fails leaves what the display showed: the query gave no value to show.
void ReadoutButtons::ReadLineRateLimit()
{
    if (const RequestOutcome value = command_.Ask(cmd::LRMIN, kLimitTimeoutMs); Reported(value))
        SetText(kLineRateMinStatic, Number(value.value.intValue));
}

void ReadoutButtons::ReadExposureLimits()
{
    if (const RequestOutcome value = command_.Ask(cmd::PEMAX, kLimitTimeoutMs); Reported(value))
        SetText(kExposureMaxStatic, Number(value.value.intValue));
    if (const RequestOutcome value = command_.Ask(cmd::PEMIN, kLimitTimeoutMs); Reported(value))
        SetText(kExposureMinStatic, Number(value.value.intValue));
}

void ReadoutButtons::ReadTemperature()
{
    if (const RequestOutcome value = command_.Ask(cmd::TMP0, kTemperatureTimeoutMs); Reported(value))
        SetText(kTemperatureEdit, Number(value.value.intValue));
}

void ReadoutButtons::WriteLutEntry(int colour)
{
    const LutRow& row = kLutRows[colour];
    const int index = EditNumber(row.indexEdit);
    const int data = EditNumber(row.dataEdit);
    // The data goes out even when the index was not taken, as the camera's LUT access expects pairs.
    Reported(command_.Set(row.indexCommand, index, kLutEntryTimeoutMs));
    Reported(command_.Set(row.dataCommand, data, kLutEntryTimeoutMs));
}

void ReadoutButtons::ReadLutEntry(int colour)
{
    const LutRow& row = kLutRows[colour];
    Reported(command_.Set(row.indexCommand, EditNumber(row.indexEdit), kLutEntryTimeoutMs));
    const RequestOutcome answer = command_.Ask(row.dataCommand, kLutEntryTimeoutMs);
    if (!Reported(answer)) return;
    const int value = answer.value.intValue;
    ShowValue(row.dataEdit, value);
    SetText(row.dataEdit, Number(value));
    table_.SetDataValue(row.dataEdit, value);
    table_.CommitShadow();
}

void ReadoutButtons::ReadCounter(int counter)
{
    const CounterRow& row = kCounters[counter];
    const RequestOutcome value = command_.Ask(row.valueCommand, kCounterReadTimeoutMs);
    if (!Reported(value)) return;
    SetText(row.valueEdit, Number(value.value.intValue));
    if (const RequestOutcome status = command_.Ask(row.statusCommand, kCounterReadTimeoutMs); Reported(status))
        SetText(row.statusEdit, QString::fromStdString(CounterStatusText(status.value.intValue)));
}

void ReadoutButtons::ResetCounter(int counter)
{
    Reported(command_.Set(kCounters[counter].resetCommand, 0, kCounterResetTimeoutMs));
    ReadCounter(counter);
}

void ReadoutButtons::OpenLutEditor()
{
    if (lutEditorOpener_) lutEditorOpener_->OpenLutEditor();
}
