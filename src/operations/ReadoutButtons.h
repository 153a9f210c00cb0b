// The buttons that fetch or poke single camera values outside the control table's update: the line-rate
// and exposure limits, the temperature, one LUT entry, the four counters, and the LUT editor's opener.
#pragma once

#include "framework/OperatorHosts.h"

class Command;
class ControlTable;
class LutEditorOpener;
class PageBinding;
class ParameterHandlers;

class ReadoutButtons {
public:
    static constexpr int kLimitTimeoutMs = 5000;
    static constexpr int kTemperatureTimeoutMs = 3000;
    static constexpr int kLutEntryTimeoutMs = 1000;
    static constexpr int kCounterReadTimeoutMs = 3000;
    static constexpr int kCounterResetTimeoutMs = 1000;

    ReadoutButtons(Command& command, ControlTable& table, PageBinding& pages, OperatorHosts hosts);

    // Registers the button actions with the handlers.
    void Install(ParameterHandlers& handlers);
    // Null: "Open LUT Table" shows nothing.
    void SetLutEditorOpener(LutEditorOpener* opener) { lutEditorOpener_ = opener; }

    void ReadLineRateLimit();
    void ReadExposureLimits();
    void ReadTemperature();
    // colour 0 = G, 1 = R, 2 = B (the rows of the LUT group).
    void WriteLutEntry(int colour);
    void ReadLutEntry(int colour);
    // counter 0 to 3
    void ReadCounter(int counter);
    void ResetCounter(int counter);
    void OpenLutEditor();

private:
    Command& command_;
    ControlTable& table_;
    PageBinding& pages_;
    LutEditorOpener* lutEditorOpener_ = nullptr;
    OperatorHosts hosts_;
};
