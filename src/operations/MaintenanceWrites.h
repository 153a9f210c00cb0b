// The factory page's maintenance writes: the camera model id and the XML version.
#pragma once

#include "framework/OperatorHosts.h"

class CameraReader;
class Command;
class PageBinding;
class ParameterHandlers;

class MaintenanceWrites {
public:
    static constexpr int kModelWriteTimeoutMs = 10000;
    static constexpr int kXmlReadTimeoutMs = 5000;
    static constexpr int kXmlWriteTimeoutMs = 10000;

    MaintenanceWrites(Command& command, CameraReader& reader, PageBinding& pages, OperatorHosts hosts);

    void Install(ParameterHandlers& handlers);

    // "Set": MD00 with the model chosen in the Camera Model combo, then the model check.
    void SetModelId();
    // XMLVR into the three one-digit edits, and back.
    void ReadXmlVersion();
    void WriteXmlVersion();

private:
    Command& command_;
    CameraReader& reader_;
    PageBinding& pages_;
    OperatorHosts hosts_;
};
