// The far end of a pseudo-terminal, reachable as "COMn" through the dosdevices folder, for serial tests.
#pragma once

#include "support/ScopedEnv.h"
#include "support/TempFolder.h"

#include <memory>

#include <string>

class PtyPeer {
public:
    // Creates the pseudo-terminal and the link XDG_CONFIG_HOME/orvane/dosdevices/com<portNumber>; sets
    // XDG_CONFIG_HOME to a fresh temporary folder first.
    explicit PtyPeer(int portNumber);
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    bool Ok() const { return master_ >= 0; }
    const std::string& SlavePath() const { return slavePath_; }
    const std::string& ConfigHome() const { return configHome_; }

    // Bytes to the port under test.
    bool Send(const std::string& bytes);
    // Bytes the port under test wrote, waiting up to timeoutMs for count of them.
    std::string Receive(std::size_t count, int timeoutMs);
    // Bytes sent that the port's driver still holds, not yet read by the port under test (-1: unknown).
    int PendingForPort() const;
    // Everything available within timeoutMs of quiet.
    std::string ReceiveAll(int quietMs);

private:
    int master_ = -1;
    int slaveKeep_ = -1;  // keeps the terminal alive between the tool's closes and reopens
    std::string slavePath_;
    TempFolder folder_{"rv-link"};
    std::unique_ptr<ScopedEnv> home_;
    std::string configHome_;
};
