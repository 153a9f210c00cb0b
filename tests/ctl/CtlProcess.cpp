// Running the companion as a process.
#include "CtlProcess.h"

#include "support/TempFolder.h"
#include "support/TestProcess.h"

#include <chrono>

CtlRun RunCtl(const std::vector<std::string>& args, double limitSeconds)
{
    std::vector<std::string> all{RV_CTL_EXECUTABLE};
    all.insert(all.end(), args.begin(), args.end());
    return RunProgram(all, limitSeconds);
}

CtlRun RunProgram(const std::vector<std::string>& argv, double limitSeconds)
{
    CtlRun run;
    const TempFolder folder("rv-ctl-run");
    if (!folder.Ok()) return run;
    TestProcess process;
    TestProcess::Launch launch;
    launch.argv = argv;
    launch.outPath = folder.File("out");
    launch.errPath = folder.File("err");
    const auto start = std::chrono::steady_clock::now();
    if (!process.Start(launch)) return run;
    run.status = process.Finish(static_cast<int>(limitSeconds * 1000));
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.out = ReadText(launch.outPath);
    run.err = ReadText(launch.errPath);
    return run;
}
