// The identity operations of the user id, camera id and about dialogs.
#include "dialogs/CameraIdentity.h"

#include "base/StrFormat.h"
#include "framework/MessageBox.h"
#include "link/Command.h"
#include "operations/RequestReport.h"
#include "tables/CommandTable.h"

namespace {

void Report(MessageHost& messages, const std::string& text, MessageIcon icon) { ShowMessage(messages, text, {}, MessageButtons::Ok, icon); }

}  // namespace

CameraIdentity::CameraIdentity(Command& command, OperatorHosts hosts) : command_(command), hosts_(hosts)
{}

int CameraIdentity::SaveUserId(const std::string& text)
{
    if (text.size() > kUserIdMaxBytes) {
        Report(hosts_.messages, "User ID string is too long !!", MessageIcon::Stop);
        return 0;
    }
    if (!Reported(hosts_.messages, command_.SetText(cmd::UD, text, kTimeoutMs))) {
        Report(hosts_.messages, "Couldn't write the User ID.", MessageIcon::Stop);
        return 0;
    }
    Report(hosts_.messages, StrFormat("Writing the User ID \"%s\" has been completed.", text.c_str()), MessageIcon::Information);
    return 1;
}

int CameraIdentity::SaveCameraId(const CameraIdFields& fields)
{
    if (!Reported(hosts_.messages, command_.Set(cmd::ULCK, kUnlockCode, kTimeoutMs))) {
        Report(hosts_.messages, "Couldn't save camera id.", MessageIcon::Stop);
        return 0;
    }
    const std::string id = CameraIdOf(fields);
    if (!Reported(hosts_.messages, command_.SetText(cmd::ID00, id, kTimeoutMs))) {
        Report(hosts_.messages, "Couldn't save the camera id.", MessageIcon::Stop);
        return 0;
    }
    Report(hosts_.messages, StrFormat("Completed saving camera id: %s.", id.c_str()), MessageIcon::Information);
    return 1;
}

int CameraIdentity::SaveDeviceVersion(const DeviceVersion& parts)
{
    if (!Reported(hosts_.messages, command_.SetText(cmd::DV00, JoinDeviceVersion(parts), kDeviceVersionSaveTimeoutMs))) {
        Report(hosts_.messages, "Couldn't write the Device Version.", MessageIcon::Stop);
        return 0;
    }
    Report(hosts_.messages, "Writing the Device Version has been completed.", MessageIcon::Information);
    return 1;
}

int CameraIdentity::SplitDeviceVersion(const std::string& text, DeviceVersion& parts)
{
    if (text.empty()) return 0;
    DeviceVersion found;
    std::size_t start = 0;
    for (int i = 0; i < kDeviceVersionParts - 1; ++i) {
        const std::size_t point = text.find('.', start);
        if (point == std::string::npos) return 0;
        found[static_cast<std::size_t>(i)] = text.substr(start, point - start);
        start = point + 1;
    }
    const std::string last = text.substr(start);
    if (last.find('.') != std::string::npos) return 0;
    found[kDeviceVersionParts - 1] = last;
    parts = found;
    return 1;
}

std::string CameraIdentity::JoinDeviceVersion(const DeviceVersion& parts)
{
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += '.';
        text += FirstCharacter(parts[i]);
    }
    return text;
}

std::string CameraIdentity::CameraIdOf(const CameraIdFields& fields)
{
    std::string id;
    for (const std::string& field : fields) id += FirstCharacter(field);
    return id;
}

std::string CameraIdentity::FirstCharacter(const std::string& text)
{
    if (text.empty()) return {};
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    // Continuation bytes only; a malformed sequence gives its lead byte alone.
    std::size_t taken = 1;
    while (taken < length && taken < text.size() && (static_cast<unsigned char>(text[taken]) & 0xC0) == 0x80) {
        ++taken;
    }
    return text.substr(0, taken);
}
