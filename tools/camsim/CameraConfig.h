// Everything the simulated camera's command line can set: model, speed, timing, forced results and faults.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace camsim {

struct CameraConfig {
    std::string model = "RV-8200-A1";
    int baudCode = 1;  // 1, 2, 4, 8, 16 = 9600, 19200, 38400, 57600, 115200 bit/s
    int rsMilliseconds = 2000;  // time RS=0 takes before COMPLETE
    int awbMilliseconds = 500;  // time AWB=2 / AWB=4 take before COMPLETE
    int busyPolls = 3;  // PGS/PBS/PGS00/PBS00/SDS00 read 0 this many times, then the result
    // Result codes reported instead of success, by command index of the result query (AWRS, AHRS, SDRS,
    // PGS, PBS, PGS00, PBS00, SDS00). A forced failure leaves the gains, exposures and tables untouched.
    std::map<int, int> forcedResults;
    // Answers given to every query of a command, by command index (a counter state, a limit, the XML
    // version, ...), whatever the camera's own value.
    std::map<int, int> forcedAnswers;
    // Commands the camera refuses with an error line, queries and writes alike.
    std::set<int> refusedCommands;
    // Setting lines applied at power-up, after the defaults (for example "SDM=1").
    std::vector<std::string> presetLines;
    // Received lines the camera refuses with an error answer, as written (for example "SA=1").
    std::vector<std::string> refusedLines;

    // Identity as the factory wrote it.
    std::string firmwareVersion = "1.3.0.7";
    std::string fpgaVersion = "2.1.0.4";
    std::string cameraId = "XC82000417";
    std::string userId;
    std::string deviceVersion = "1.0.2.3";
    int xmlVersion = 123;
    // The code ULCK must carry before ID00; a camera with another code refuses the tool's unlock.
    int unlockCode = 5829317;

    // Link behaviour, applied by the byte-stream front ends (InProcessLink and those built on it).
    int answerDelayMs = 0;  // added before every answer
    bool wireTime = false;  // every byte takes 10 / baud seconds on the line, in both directions
    bool silent = false;  // the camera never answers
    bool garbage = false;  // every answer is replaced by a line of random bytes
    bool overlong = false;  // every answer is replaced by a line far longer than 1023 bytes
    int splitMs = 0;  // answers arrive in pieces with this pause between them (0 = whole)
    int disconnectAfter = -1;  // after this many received lines the camera is gone (-1 = never)
    std::string vanishOn;  // the camera is gone from the vanishCount-th time it receives this line on
    int vanishCount = 1;
    unsigned garbageSeed = 1;  // makes the garbage reproducible

    // Which received lines the answer faults above (silent, garbage, overlong, split) and the two below
    // strike: from the faultFrom-th line on (1 = the first), faultLines of them (-1 = all that follow).
    int faultFrom = 1;
    int faultLines = -1;
    int lateMs = 0;  // answers to the struck lines come this much later
    bool errorAnswer = false;  // answers to the struck lines are replaced by an error line
    // The terminal closes when this received line arrives (1 = the first), as when the adapter is pulled
    // (-1 = never). Only the pseudo-terminal front end closes; in process the camera just goes quiet.
    int hangUpOn = -1;
    // The faults sleep until they are armed (ArmFaults, SIGUSR2 on the terminal); line numbers then count
    // from the arming, so a fault can strike in the middle of one operation of a running tool.
    bool dormant = false;
    // Each received line is struck with this chance (percent) by silence, an error answer or garbage.
    int randomFaultPercent = 0;
};

// Bit rate of a camera speed code (1, 2, 4, 8, 16); 0 for any other code.
int BaudRateOfCode(int code);
// Speed code of a bit rate; 0 when the rate is not one the camera knows.
int CodeOfBaudRate(int bitsPerSecond);

}  // namespace camsim
