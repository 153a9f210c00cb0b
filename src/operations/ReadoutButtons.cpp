// Limits, temperature, single LUT entries and counters on a button press.
#include "operations/ReadoutButtons.h"

#include "link/Command.h"
#include "operations/LutEditorOpener.h"
#include "operations/ParameterHandlers.h"
#include "operations/RequestReport.h"
#include "operations/ResultTexts.h"
#include "pages/PageBinding.h"
#include "tables/ControlIds.h"
#include "pages/PageControls.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <string>

namespace {

using namespace ctl;

struct LutRow {
    int indexEdit;
    int dataEdit;
    int readButton;
    int writeButton;
    int indexCommand;
    int dataCommand;
};

constexpr LutRow kLutRows[3] = {
    {kLutIndexG, kLutDataG, kLutReadG, kLutWriteG, cmd::LUTIG, cmd::LUTG},
    {kLutIndexR, kLutDataR, kLutReadR, kLutWriteR, cmd::LUTIR, cmd::LUTR},
    {kLutIndexB, kLutDataB, kLutReadB, kLutWriteB, cmd::LUTIB, cmd::LUTB},
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

std::string Number(int value) { return std::to_string(value); }

}  // namespace

ReadoutButtons::ReadoutButtons(Command& command, ControlTable& table, PageBinding& pages, OperatorHosts hosts)
    : command_(command), table_(table), pages_(pages), hosts_(hosts)
{
}

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
    if (const RequestOutcome value = command_.Ask(cmd::LRMIN, kLimitTimeoutMs); Reported(hosts_.messages, value))
        pages_.SetText(kLineRateMinStatic, Number(value.value.intValue));
}

void ReadoutButtons::ReadExposureLimits()
{
    if (const RequestOutcome value = command_.Ask(cmd::PEMAX, kLimitTimeoutMs); Reported(hosts_.messages, value))
        pages_.SetText(kExposureMaxStatic, Number(value.value.intValue));
    if (const RequestOutcome value = command_.Ask(cmd::PEMIN, kLimitTimeoutMs); Reported(hosts_.messages, value))
        pages_.SetText(kExposureMinStatic, Number(value.value.intValue));
}

void ReadoutButtons::ReadTemperature()
{
    if (const RequestOutcome value = command_.Ask(cmd::TMP0, kTemperatureTimeoutMs); Reported(hosts_.messages, value))
        pages_.SetText(kTemperatureEdit, Number(value.value.intValue));
}

void ReadoutButtons::WriteLutEntry(int colour)
{
    const LutRow& row = kLutRows[colour];
    const int index = ParseLeadingInt(pages_.Text(row.indexEdit));
    const int data = ParseLeadingInt(pages_.Text(row.dataEdit));
    // The data goes only where the index points: with the index not taken it would overwrite whichever
    // entry the camera's index still points at.
    if (!Reported(hosts_.messages, command_.Set(row.indexCommand, index, kLutEntryTimeoutMs))) return;
    Reported(hosts_.messages, command_.Set(row.dataCommand, data, kLutEntryTimeoutMs));
}

void ReadoutButtons::ReadLutEntry(int colour)
{
    const LutRow& row = kLutRows[colour];
    // Without the index taken, the answer would be another entry's value shown as this one's.
    if (!Reported(hosts_.messages, command_.Set(row.indexCommand, ParseLeadingInt(pages_.Text(row.indexEdit)), kLutEntryTimeoutMs)))
        return;
    const RequestOutcome answer = command_.Ask(row.dataCommand, kLutEntryTimeoutMs);
    if (!Reported(hosts_.messages, answer)) return;
    const int value = answer.value.intValue;
    pages_.ShowEditValue(row.dataEdit, value);
    table_.SetDataValue(row.dataEdit, value);
    table_.CommitShadow();
}

void ReadoutButtons::ReadCounter(int counter)
{
    const CounterRow& row = kCounters[counter];
    const RequestOutcome value = command_.Ask(row.valueCommand, kCounterReadTimeoutMs);
    if (!Reported(hosts_.messages, value)) return;
    pages_.SetText(row.valueEdit, Number(value.value.intValue));
    if (const RequestOutcome status = command_.Ask(row.statusCommand, kCounterReadTimeoutMs); Reported(hosts_.messages, status))
        pages_.SetText(row.statusEdit, CounterStatusText(status.value.intValue));
}

void ReadoutButtons::ResetCounter(int counter)
{
    Reported(hosts_.messages, command_.Set(kCounters[counter].resetCommand, 0, kCounterResetTimeoutMs));
    ReadCounter(counter);
}

void ReadoutButtons::OpenLutEditor()
{
    if (lutEditorOpener_) lutEditorOpener_->OpenLutEditor();
}
