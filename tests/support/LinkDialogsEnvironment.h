// The simulated camera on "COM1" and the Qt application shared by the link dialog tests.
#pragma once

#include <string>

class CamsimProcess;
struct ToolObjects;

// The camera of the whole test run (115200 bit/s); null when it could not be started.
CamsimProcess* TestCamera();
// Every line the camera received and sent so far.
std::string TestCameraTraffic();
// Whether the camera's log shows the text within two seconds: the camera writes its log after it answered,
// so a line the tool has had its answer to may reach the log a moment later.
bool TestCameraLogged(const std::string& text);
// The objects of the tool the link dialogs work on, as the application object makes them.
ToolObjects& TestObjects();
// Opens the test objects' link on "COM1" at the camera's rate; true when it is open.
bool OpenTestCameraLink();
// The build tree (renders and test files go below it).
std::string BuildFolder();
// A fresh folder under the build tree, of this test process alone, for files a test writes.
std::string TestFolder(const std::string& name);
