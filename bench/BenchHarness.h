// The benchmark harness: workloads against the simulated camera at 115200 bit/s with wire-time
// emulation, each repeated and judged by its median ratio of wire time to measured time.
#pragma once

#include "framework/OperatorHosts.h"

#include "framework/MessageBox.h"
#include "link/TrafficSink.h"

#include <functional>
#include <string>
#include <vector>

class CameraModelInfo;
class Command;
class ControlMode;
class ControlTable;
class RegistrySettings;
class SerialLink;

constexpr int kBenchBaudRate = 115200;

// Counts the bytes on the line from the traffic log: every logged line went out or came in with CR LF.
class BenchByteCounter : public TrafficSink {
public:
    long long bytes = 0;
    int requests = 0;
    void AddLine(const std::string& line) override;
};

// Message boxes of the benchmark go nowhere but are counted (a failed request shows one).
class BenchMessageHost : public MessageHost {
public:
    int shown = 0;
    std::string last;
    MessageResult Show(const MessageRequest& request) override;
};

// What every workload runs on: the link to the simulated camera, already at 115200 bit/s.
struct BenchContext {
    SerialLink& link;
    Command& command;
    BenchByteCounter& counter;
    BenchMessageHost& host;
    ControlTable& table;
    CameraModelInfo& model;
    ControlMode& mode;
    RegistrySettings& settings;
    OperatorHosts hosts;  // the bench's messages; no windows
};

struct BenchWorkload {
    std::string name;
    // One run; gives the number of failures (0 when everything the workload sent was acknowledged).
    std::function<int()> run;
    double target = 0.9;  // the median ratio it must reach
    std::function<void()> setUp = nullptr;  // before each run, not measured
    // Work without traffic (a computation the user interface waits for): judged as this fixed time
    // divided by the measured time instead of the wire time.
    double budgetMs = 0.0;
};

// Adds a file's workloads once the link is up; registered at static initialisation (BENCH_WORKLOADS).
using BenchWorkloadFactory = void (*)(BenchContext& context, std::vector<BenchWorkload>& out);
int RegisterBenchWorkloads(int order, BenchWorkloadFactory factory);
const std::vector<std::pair<int, BenchWorkloadFactory>>& RegisteredBenchWorkloads();

#define BENCH_WORKLOADS(order, factory) \
    static const int bench_registration_##factory = RegisterBenchWorkloads(order, factory)
