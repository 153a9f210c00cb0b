// Model id and XML version.
#include "operations/MaintenanceWrites.h"

#include "framework/MessageBox.h"
#include "link/Command.h"
#include "operations/ParameterHandlers.h"
#include "operations/RequestReport.h"
#include "pages/CameraReader.h"
#include "pages/PageBinding.h"
#include "tables/ControlIds.h"
#include "tables/ComboCatalog.h"
#include "tables/CommandTable.h"

#include <string>

namespace {

constexpr int kXmlDigits[3] = {ctl::kXmlDigit1, ctl::kXmlDigit2, ctl::kXmlDigit3};

// The leading decimal digits of the text as a number; 0 without any.
int LeadingDigits(const std::string& text)
{
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || value > 99999999) break;
        value = value * 10 + (c - '0');
    }
    return static_cast<int>(value);
}

}  // namespace

MaintenanceWrites::MaintenanceWrites(Command& command, CameraReader& reader, PageBinding& pages, OperatorHosts hosts)
    : command_(command), reader_(reader), pages_(pages), hosts_(hosts)
{
}

void MaintenanceWrites::Install(ParameterHandlers& handlers)
{
    handlers.SetButtonAction(ctl::kSetModel, [this] { SetModelId(); });
    handlers.SetButtonAction(ctl::kReadXml, [this] { ReadXmlVersion(); });
    handlers.SetButtonAction(ctl::kWriteXml, [this] { WriteXmlVersion(); });
}

void MaintenanceWrites::SetModelId()
{
    const int index = pages_.Selection(ctl::kCameraModelCombo);
    const char* failed = "Failed writting camera model id.";
    if (index != 0 && index != 1) {
        ShowMessage(hosts_.messages, failed, {}, MessageButtons::Ok, MessageIcon::Stop);
        return;
    }
    const std::string name(index == 0 ? kModelB1 : kModelA1);
    if (!Reported(hosts_.messages, command_.SetText(cmd::MD00, name, kModelWriteTimeoutMs))) {
        ShowMessage(hosts_.messages, failed, {}, MessageButtons::Ok, MessageIcon::Stop);
        return;
    }
    // The model decides the parameter set: the tool takes the new id at once (the layout follows at the
    // next reload).
    reader_.ModelCheck();
    ShowMessage(hosts_.messages, "Succeeded in writting camera model id.", {}, MessageButtons::Ok, MessageIcon::Information);
}

void MaintenanceWrites::ReadXmlVersion()
{
    // No answer, no digits: the edits keep what they showed.
    const RequestOutcome answer = command_.Ask(cmd::XMLVR, kXmlReadTimeoutMs);
    if (!Reported(hosts_.messages, answer)) return;
    const int version = answer.value.intValue;
    const int digits[3] = {version / 100, version % 100 / 10, version % 10};
    for (int i = 0; i < 3; ++i) {
        pages_.SetText(kXmlDigits[i], std::to_string(digits[i]));
    }
}

void MaintenanceWrites::WriteXmlVersion()
{
    // The first character of each edit, most significant first; an empty edit adds nothing.
    std::string text;
    for (int id : kXmlDigits) {
        const std::string digit = pages_.Text(id);
        if (!digit.empty()) text += digit.front();
    }
    if (Reported(hosts_.messages, command_.Set(cmd::XMLVR, LeadingDigits(text), kXmlWriteTimeoutMs))) {
        ShowMessage(hosts_.messages, "Writing the XML Version has been completed.", {}, MessageButtons::Ok, MessageIcon::Information);
    } else {
        ShowMessage(hosts_.messages, "Couldn't write the XML Version.", {}, MessageButtons::Ok, MessageIcon::Stop);
    }
}
