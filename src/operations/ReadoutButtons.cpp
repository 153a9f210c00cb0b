// Limits, temperature, single LUT entries and counters on a button press.
#include "operations/ReadoutButtons.h"

#include "link/Command.h"
#include "operations/LutEditorOpener.h"
#include "operations/ParameterHandlers.h"
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
    int value = 0;
    if (command_.QueryValue(cmd::LRMIN, value, kLimitTimeoutMs)) SetText(kLineRateMinStatic, Number(value));
}

void ReadoutButtons::ReadExposureLimits()
{
    int value = 0;
    if (command_.QueryValue(cmd::PEMAX, value, kLimitTimeoutMs)) SetText(kExposureMaxStatic, Number(value));
    if (command_.QueryValue(cmd::PEMIN, value, kLimitTimeoutMs)) SetText(kExposureMinStatic, Number(value));
}

void ReadoutButtons::ReadTemperature()
{
    int value = 0;
    if (command_.QueryValue(cmd::TMP0, value, kTemperatureTimeoutMs)) SetText(kTemperatureEdit, Number(value));
}

void ReadoutButtons::WriteLutEntry(int colour)
{
    const LutRow& row = kLutRows[colour];
    const int index = EditNumber(row.indexEdit);
    const int data = EditNumber(row.dataEdit);
    // The data goes out even when the index was not taken, as the camera's LUT access expects pairs.
    command_.SendValue(row.indexCommand, index, kLutEntryTimeoutMs);
    command_.SendValue(row.dataCommand, data, kLutEntryTimeoutMs);
}

void ReadoutButtons::ReadLutEntry(int colour)
{
    const LutRow& row = kLutRows[colour];
    command_.SendValue(row.indexCommand, EditNumber(row.indexEdit), kLutEntryTimeoutMs);
    int value = 0;
    if (!command_.QueryValue(row.dataCommand, value, kLutEntryTimeoutMs)) return;
    ShowValue(row.dataEdit, value);
    SetText(row.dataEdit, Number(value));
    table_.SetDataValue(row.dataEdit, value);
    table_.CommitShadow();
}

void ReadoutButtons::ReadCounter(int counter)
{
    const CounterRow& row = kCounters[counter];
    int value = 0;
    if (!command_.QueryValue(row.valueCommand, value, kCounterReadTimeoutMs)) return;
    SetText(row.valueEdit, Number(value));
    int status = 0;
    if (command_.QueryValue(row.statusCommand, status, kCounterReadTimeoutMs)) {
        SetText(row.statusEdit, QString::fromStdString(CounterStatusText(status)));
    }
}

void ReadoutButtons::ResetCounter(int counter)
{
    command_.SendValue(kCounters[counter].resetCommand, 0, kCounterResetTimeoutMs);
    ReadCounter(counter);
}

void ReadoutButtons::OpenLutEditor()
{
    if (lutEditorOpener_) lutEditorOpener_->OpenLutEditor();
}
