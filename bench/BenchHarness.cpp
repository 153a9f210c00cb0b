// The harness's counters and the registry of workload files.
#include "BenchHarness.h"

#include <algorithm>

void BenchByteCounter::AddLine(const std::string& line)
{
    const bool sent = line.rfind("Tx: ", 0) == 0;
    if (sent) ++requests;
    if (sent || line.rfind("Rx: ", 0) == 0) bytes += static_cast<long long>(line.size()) - 4 + 2;
}

MessageResult BenchMessageHost::Show(const MessageRequest& request)
{
    ++shown;
    last = request.text;
    return MessageResult::Ok;
}

namespace {
std::vector<std::pair<int, BenchWorkloadFactory>>& Registry()
{
    static std::vector<std::pair<int, BenchWorkloadFactory>> registry;
    return registry;
}
}  // namespace

int RegisterBenchWorkloads(int order, BenchWorkloadFactory factory)
{
    auto& registry = Registry();
    registry.emplace_back(order, factory);
    std::stable_sort(registry.begin(), registry.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return static_cast<int>(registry.size());
}

const std::vector<std::pair<int, BenchWorkloadFactory>>& RegisteredBenchWorkloads() { return Registry(); }
