// The camera's identity texts: user id, camera id and device version, read and written with their checks
// and the operator's result messages.
#pragma once

#include "framework/OperatorHosts.h"

#include <array>
#include <cstddef>
#include <string>

class Command;

class CameraIdentity {
public:
    static constexpr int kTimeoutMs = 5000;
    static constexpr int kDeviceVersionSaveTimeoutMs = 10000;
    static constexpr std::size_t kUserIdMaxBytes = 64;
    static constexpr int kUnlockCode = 5829317;
    static constexpr int kCameraIdLength = 10;
    static constexpr int kDeviceVersionParts = 4;
    // What the user id field shows while the camera has not given its id.
    static constexpr const char* kUserIdPlaceholder = "????????????????";

    using CameraIdFields = std::array<std::string, kCameraIdLength>;
    using DeviceVersion = std::array<std::string, kDeviceVersionParts>;

    explicit CameraIdentity(Command& command, OperatorHosts hosts);

    // Sends text as the user id (UTF-8, at most 64 bytes; an empty text too) and says how it went. 1 on
    // success.
    int SaveUserId(const std::string& text);
    // Unlocks the camera id (ULCK), then sends the first character of each field (ID00); an empty field
    // adds nothing. Nothing is sent after a refused unlock. 1 on success.
    int SaveCameraId(const CameraIdFields& fields);
    // Sends the first character of each part, joined by points (DV00). 1 on success.
    int SaveDeviceVersion(const DeviceVersion& parts);

    // Splits a non-empty text at exactly three points into four parts, each whole; 0 for any other text.
    static int SplitDeviceVersion(const std::string& text, DeviceVersion& parts);
    static std::string JoinDeviceVersion(const DeviceVersion& parts);
    static std::string CameraIdOf(const CameraIdFields& fields);
    // The first character of a UTF-8 text (all bytes of it, so a character is never cut in half); empty
    // for an empty text.
    static std::string FirstCharacter(const std::string& text);

private:
    Command& command_;
    OperatorHosts hosts_;
};
