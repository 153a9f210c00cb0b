// The objects that live for the whole run. The application object creates them once, in the order their
// exit-time writes need, and hands them by reference to the windows that use them.
#pragma once

#include "dialogs/CProgressBarDialog.h"
#include "link/ClSerialKind.h"
#include "link/ComPort.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "operations/TableLookupActions.h"
#include "pages/CameraReader.h"
#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"
#include "tables/CameraModelInfo.h"
#include "tables/ControlTable.h"

// Destroyed in reverse order: the link writes the link settings, then the control mode its flag, and the
// settings store, last, the normal-end mark. A run that ends any other way destroys none of them and so
// writes none of it. Needs a QApplication (the progress window).
struct OperatorHosts;

struct ToolObjects {
    // The protocol and the progress window reach the user interface through `hosts`, which outlive them;
    // `kinds` gives the link the channel behind each Camera Link mode (the loaded serial libraries).
    explicit ToolObjects(OperatorHosts& hosts, SerialLink::KindLookup kinds = &GetClSerialKind);
    ToolObjects(const ToolObjects&) = delete;
    ToolObjects& operator=(const ToolObjects&) = delete;

    RegistrySettings settings;
    ControlMode mode;
    ComPort port;
    SerialLink link;
    Command command;
    TableLookupActions lookupFailures;  // a row the table does not know, told through the hosts' messages
    ControlTable table{&lookupFailures};
    CameraModelInfo model;
    CameraReader reader;
    CProgressBarDialog progress;
};
