// Every operation that talks to the camera, under every fault the simulated camera can inject: the tool
// gives control back within two time-outs and a second of the fault, shows the right online status,
// summarises refusals without a flood of boxes, leaves no half-written file, sends nothing after a lost
// camera but what the operation's own sequence holds and no setting twice, lets the reader thread of a
// port that went away end, and reloads cleanly once the fault is lifted, without a restart.
#include "e2e/MainWindowFixture.h"
#include "support/TestHosts.h"
#include "support/FileText.h"
#include "support/TempFolder.h"

#include "dialogs/CLUTDlg.h"
#include "files/ShadingFile.h"
#include "files/TextFile.h"
#include "framework/OnlineStatusRegistry.h"
#include "link/Command.h"
#include "operations/OperationClock.h"
#include "pages/PageControls.h"
#include "support/RecordingFileDialogHost.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>

namespace {

using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

constexpr int kTimeoutMs = 250;  // every request's time-out in the drill
constexpr int kGainAllEdit = 1041;
constexpr int kFormatCombo = 1100;  // a slow write: BA=, then the line rate read back
constexpr int kWhiteBalanceCombo = 1408;
constexpr int kPixelGainButton = 1193;
const char* const kOldContent = "old content\r\n";

enum class Fault { Silent, Refusal, Garbage, Split, Late, Overlong, HangUp };

struct FaultKind {
    Fault fault;
    const char* name;
    // The camera's options that make the fault strike at the k-th line (counted from the arming).
    Strings (*options)(int k);
    bool endsOffline;  // the camera is gone afterwards until the fault is lifted
    bool refuses;  // the tool sees an answer that is not the one asked for
};

Strings From(int k, Strings more)
{
    more.insert(more.end(), {"--fault-from", std::to_string(k)});
    return more;
}

const FaultKind kFaults[] = {
    {Fault::Silent, "Silent", [](int k) { return From(k, {"--silent"}); }, true, false},
    {Fault::Refusal, "Refusal",
     [](int k) {
         return From(k, {"--error-answer", "--fault-lines", "1"});
     },
     false, true},
    {Fault::Garbage, "Garbage",
     [](int k) {
         return From(k, {"--garbage", "--fault-lines", "1"});
     },
     false, true},
    {Fault::Split, "Split",
     [](int k) {
         return From(k, {"--split", "15", "--fault-lines", "3"});
     },
     false, false},
    {Fault::Late, "Late",
     [](int k) {
         return From(k, {"--late", std::to_string(kTimeoutMs + 150), "--fault-lines", "1"});
     },
     false, false},
    {Fault::Overlong, "Overlong",
     [](int k) {
         return From(k, {"--overlong", "--fault-lines", "1"});
     },
     false, true},
    {Fault::HangUp, "HangUp",
     [](int k) {
         return Strings{"--hang-up-on", std::to_string(k)};
     },
     true, false},
};

class FaultMatrix;

struct Operation {
    const char* name;
    int strikeAt;  // the operation's request the fault strikes (1 = its first)
    Strings options;  // what the camera needs for the operation
    std::function<void(FaultMatrix&)> prepare;  // before the fault is armed
    std::function<void(FaultMatrix&)> run;
    int durationMs;  // what the operation itself may take on a healthy line, on top of the bound
    // A refused request is tried once more, past the one struck line: nothing is left to report.
    bool retriesRefusals = false;
};

struct Cell {
    const Operation* operation;
    const FaultKind* fault;
};

void PrintTo(const Cell& cell, std::ostream* out) { *out << cell.operation->name << " under " << cell.fault->name; }

// How the last request of an operation ended.
struct LastRequest : RequestWatch {
    void RequestEnded(const RequestOutcome& ended) override { outcome = ended; }
    RequestOutcome outcome;
};

// Pauses of the calibrations take no time.
class InstantClock : public OperationClock {
public:
    std::int64_t NowMs() override { return now; }
    void Pause(int ms) override { now += ms; }
    std::int64_t now = 0;
};

class FaultMatrix : public MainWindowFixture, public ::testing::WithParamInterface<Cell> {
public:
    using MainWindowFixture::Choose;
    using MainWindowFixture::FindPageControl;
    using MainWindowFixture::messages_;
    using MainWindowFixture::parts_;
    using MainWindowFixture::window_;

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(temp_.Ok());
        folder_ = temp_.Path().string();
    }
    void TearDown() override { MainWindowFixture::TearDown(); }

    std::string File(const std::string& name) const { return (fs::path(folder_) / name).string(); }
    static void WriteFile(const std::string& path, const std::string& content)
    {
        std::ofstream out(path, std::ios::binary);
        out << content;
    }

    // Runs a menu item whose modal dialog is closed as soon as it shows.
    void RunModal(int commandId)
    {
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
        });
        parts_->menu.Action(commandId)->trigger();
        QApplication::processEvents();
    }

    RecordingFileDialogHost files_;
    InstantClock clock_;
    TempFolder temp_{"rv-faults"};
    std::string folder_;
    LastRequest lastRequest_;
};

bool Online() { return TestHosts().onlineStatus.GetStatusBitmap() == kBitmapOnline; }

// The lines that left the tool in the traffic entries ("<date> <time> RX|TX|LOST <line>"): those the
// camera received and those lost on a line that was gone.
Strings SentLines(const Strings& entries)
{
    Strings sent;
    for (const std::string& entry : entries) {
        std::istringstream in(entry);
        std::string date, time, direction, line;
        in >> date >> time >> direction;
        std::getline(in >> std::ws, line);
        if (direction == "RX" || direction == "LOST") sent.push_back(line);
    }
    return sent;
}

// What reaches the camera from the struck line on when it falls silent there: an operation ends at its
// second time-out in a row, or at the first where a missing answer leaves nothing to go on with. The white
// balance reads its gains back whatever its result query gave; no SDDU closes a broken shading write.
const std::map<std::string, Strings> kAfterSilence = {
    {"StartUp", {"TI?", "TA?"}},
    {"Reload", {"TA?", "ARS?"}},
    {"EditCommit", {"GA=321"}},
    {"SlowWrite", {"BA=1"}},
    {"WhiteBalance", {"AWRS?", "AWB?", "GAR?", "GAB?"}},
    {"Calibration", {"PGS?"}},
    {"StoreAll", {"SA=2", "SA=3"}},
    {"SettingFileLoad", {"TR=0", "ETM=0"}},
    {"ShadingRead", {"SDD?"}},
    {"ShadingWrite", {"SDD=-82", "SDDI=20"}},
    {"GammaRead", {"LUTR?"}},
    {"GammaWrite", {"LUTR=303", "LUTIR=20"}},
    {"AboutBox", {"VN?"}},
};

// What reached the camera in the faulted run, the struck line being sent[strikeAt - 1].
void ExpectWireEffect(const Operation& operation, const FaultKind& fault, const Strings& sent)
{
    SCOPED_TRACE(::testing::PrintToString(sent));
    ASSERT_GE(sent.size(), static_cast<std::size_t>(operation.strikeAt)) << "the fault never struck";
    const Strings fromStrike(sent.begin() + operation.strikeAt - 1, sent.end());
    const Strings& afterSilence = kAfterSilence.at(operation.name);
    if (fault.fault == Fault::Silent) {
        EXPECT_EQ(fromStrike, afterSilence) << "sent after the camera fell silent";
    } else if (fault.fault == Fault::HangUp) {
        // The struck line is the last: the port has gone, nothing else can leave.
        EXPECT_EQ(fromStrike, Strings{afterSilence.front()}) << "sent after the port went away";
    }
    // A setting the camera answered late or wrongly is not sent again at once (the speed handshake sends
    // its rate twice, at the old speed and the new).
    for (std::size_t i = 1; i < sent.size(); ++i) {
        const bool write = sent[i].find('=') != std::string::npos && sent[i].rfind("CBDRT=", 0) != 0;
        EXPECT_FALSE(write && sent[i] == sent[i - 1]) << sent[i] << " sent twice, as line " << i << " and " << i + 1;
    }
    // A setting file's line that got an answer other than its acknowledgement is tried once more at the
    // end, and only then; an overflowing answer counts as none.
    if (operation.retriesRefusals) {
        const bool answeredWrongly = fault.fault == Fault::Refusal || fault.fault == Fault::Garbage;
        EXPECT_EQ(std::count(fromStrike.begin(), fromStrike.end(), fromStrike.front()), answeredWrongly ? 2 : 1)
            << "the struck line " << fromStrike.front();
    }
}

// ---- the operations ----

const Operation kStartUp{"StartUp", 8, {}, nullptr, nullptr, 3000};

const std::vector<Operation>& Operations()
{
    static const std::vector<Operation> operations = {
        kStartUp,
        {"Reload",
         6,
         {},
         nullptr,
         [](FaultMatrix& t) { t.parts_->menu.Action(MainMenu::kCmdReload)->trigger(); },
         3000},
        {"EditCommit",
         1,
         {},
         nullptr,
         [](FaultMatrix& t) {
             qobject_cast<QLineEdit*>(t.FindPageControl(kGainAllEdit))->setText("321");
             t.parts_->handlers.OnEditCommitted(kGainAllEdit);
         },
         500},
        {"SlowWrite",
         1,
         {},
         nullptr,
         [](FaultMatrix& t) {
             auto* combo = qobject_cast<QComboBox*>(t.FindPageControl(kFormatCombo));
             t.Choose(kFormatCombo, (combo->currentIndex() + 1) % combo->count());
         },
         500},
        {"WhiteBalance", 2, {"--awb-time", "0"}, nullptr, [](FaultMatrix& t) { t.Choose(kWhiteBalanceCombo, 1); }, 500},
        {"Calibration",
         2,
         {"--busy-polls", "2"},
         [](FaultMatrix& t) {
             t.parts_->operations.SetClock(&t.clock_);
             t.parts_->operations.Times().resultQueryMs = kTimeoutMs;
         },
         [](FaultMatrix& t) { t.parts_->handlers.OnButtonPressed(kPixelGainButton); },
         500},
        {"StoreAll",
         2,
         {},
         [](FaultMatrix& t) { t.parts_->flashAreas.SetPause([](int) {}); },
         [](FaultMatrix& t) {
             t.messages_.QueueAnswer(MessageResult::Yes);
             t.parts_->flashAreas.StoreAll();
         },
         500},
        {"SettingFileLoad",
         6,
         {},
         [](FaultMatrix& t) {
             ASSERT_EQ(t.parts_->settingFile.WriteSettingFile(t.File("settings.txt"), SettingFileVariant::AllData),
                       1);
         },
         [](FaultMatrix& t) { t.parts_->settingFile.ReadSettingFile(t.File("settings.txt")); },
         3000,
         true},
        {"ShadingRead",
         40,
         {"--set", "SDM=1"},
         [](FaultMatrix& t) {
             FaultMatrix::WriteFile(t.File("shading.csv"), kOldContent);
             t.files_.QueuePath(t.File("shading.csv"));
         },
         [](FaultMatrix& t) { t.parts_->shading.ReadToFile(); },
         8000},
        {"ShadingWrite",
         40,
         {"--set", "SDM=1"},
         [](FaultMatrix& t) {
             ShadingTable table;
             for (int i = 0; i < ShadingTable::kEntries; ++i) {
                 for (int colour = 0; colour < ShadingTable::kColours; ++colour) table.At(colour, i) = i % 200 - 100;
             }
             ASSERT_EQ(TextFile::Save(t.File("write.csv"), ShadingFile::Lines(table)), TextFile::SaveResult::Saved);
             t.files_.QueuePath(t.File("write.csv"));
         },
         [](FaultMatrix& t) { t.parts_->shading.WriteFromFile(); },
         8000},
        {"GammaRead",
         40,
         {},
         nullptr,
         [](FaultMatrix& t) { t.parts_->menu.Action(MainMenu::kCmdLoadAllLut)->trigger(); },
         3000},
        {"GammaWrite",
         40,
         {},
         nullptr,
         [](FaultMatrix& t) { t.parts_->lutEditors.Editor(0)->WriteTableData(0); },
         3000},
        {"AboutBox", 1, {}, nullptr, [](FaultMatrix& t) { t.RunModal(MainMenu::kCmdAbout); }, 500},
    };
    return operations;
}

TEST_P(FaultMatrix, ControlBackStatusRightNothingHalfWrittenAndALaterReloadWorks)
{
    const Operation& operation = *GetParam().operation;
    const FaultKind& fault = *GetParam().fault;
    const bool startUp = operation.name == std::string(kStartUp.name);

    Strings options = operation.options;
    if (!startUp) options.push_back("--dormant");
    const Strings faultOptions = fault.options(operation.strikeAt);
    options.insert(options.end(), faultOptions.begin(), faultOptions.end());
    StartCameraProcess(options);
    ASSERT_TRUE(objects_);
    objects_->command.SetTimeoutLimitMs(kTimeoutMs);
    objects_->command.SetRequestWatch(&lastRequest_);
    if (fault.fault == Fault::HangUp) UseTimers();  // the port watch brings the port back
    files_.UseDisk(false);

    std::chrono::steady_clock::duration elapsed{};
    std::size_t armedAt = 0;  // traffic entries before the operation
    if (startUp) {
        const auto start = std::chrono::steady_clock::now();
        window_->InitDialog();
        parts_->lifecycle.StartUp();
        elapsed = std::chrono::steady_clock::now() - start;
    } else {
        StartWindow();
        ASSERT_TRUE(Online());
        if (operation.prepare) operation.prepare(*this);
        ASSERT_FALSE(HasFatalFailure());
        messages_.Clear();
        ASSERT_NO_FATAL_FAILURE(ArmFaults());
        armedAt = Traffic().size();
        const auto start = std::chrono::steady_clock::now();
        operation.run(*this);
        elapsed = std::chrono::steady_clock::now() - start;
    }
    const Strings texts = messages_.Texts();
    SCOPED_TRACE(::testing::PrintToString(texts));

    // Control is back in time, and the tool is not left busy or disabled.
    const int elapsedMs = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    RecordProperty("elapsed_ms", elapsedMs);
    std::cout << "cell " << operation.name << " x " << fault.name << ": " << elapsedMs << " ms, "
              << (Online() ? "online" : "offline") << ", " << texts.size() << " message(s)"
              << (texts.empty() ? std::string() : ": " + texts.front().substr(0, texts.front().find('\n'))) << "\n";
    EXPECT_FALSE(objects_->command.IsBusy());
    EXPECT_TRUE(window_->isEnabled());

    // On the wire: what followed the fault; and a port that went away has no reader thread left.
    const Strings traffic = Traffic();
    ExpectWireEffect(operation, fault, SentLines(Strings(traffic.begin() + armedAt, traffic.end())));
    if (fault.fault == Fault::HangUp) {
        EXPECT_TRUE(objects_->link.ChannelLost() || !objects_->link.IsOpen());
        EXPECT_FALSE(objects_->port.ReaderRunning()) << "the port has gone, its reader thread still runs";
    }

    // The status shows what the line did: offline after a time-out that ended the operation.
    if (fault.endsOffline) {
        EXPECT_FALSE(Online());
    }
    EXPECT_EQ(Online(), !lastRequest_.outcome.Unanswered());

    // One summary, not a box per failed request; something refused is said.
    EXPECT_LE(texts.size(), 3u);
    if (fault.refuses && !operation.retriesRefusals) {
        EXPECT_FALSE(texts.empty());
    }

    // No file half-written: a target is either untouched or complete, and no temporary file remains.
    for (const auto& entry : fs::directory_iterator(folder_)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "settings.txt" || name == "shading.csv" || name == "write.csv") << name;
    }
    if (fs::exists(File("shading.csv"))) {
        const std::string content = ReadText(File("shading.csv"));
        if (content != kOldContent) {
            ShadingTable table;
            EXPECT_EQ(ShadingFile::Parse(content, table).status, ShadingFile::Status::Ok);
            EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), ShadingTable::kEntries + 1);
        }
    }

    // The fault lifted, the same tool reloads without a message; after a hang-up the tool reconnects by itself.
    ASSERT_TRUE(camera_->Signal(SIGUSR1));
    ASSERT_TRUE(camera_->WaitForLog("faults lifted", 1, 2000));
    if (fault.fault == Fault::HangUp) {
        ASSERT_TRUE(camera_->WaitForLog("/dev/pts/", 2, 2000)) << camera_->Log();
        EXPECT_TRUE(RunUntil([] { return Online(); }, 3000)) << "the port is back, the tool still offline";
    }
    // The bound: what the operation takes on the healthy line (measured now, so that a loaded machine
    // moves both), with some slack, plus two time-outs and a second.
    int healthyMs = operation.durationMs;
    if (!startUp) {
        if (operation.prepare) operation.prepare(*this);
        const auto again = std::chrono::steady_clock::now();
        operation.run(*this);
        healthyMs = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - again).count());
    }
    EXPECT_LE(elapsedMs, healthyMs * 3 / 2 + 2 * kTimeoutMs + 1000) << "healthy: " << healthyMs << " ms";
    messages_.Clear();
    ASSERT_TRUE(parts_->lifecycle.IsStartedUp()) << "the start-up did not finish";
    parts_->menu.Action(MainMenu::kCmdReload)->trigger();
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
    EXPECT_TRUE(Online());
    int gain = -1;
    const RequestOutcome gainAsked = objects_->command.Ask(cmd::GA, 1000);
    ASSERT_TRUE(gainAsked.Answered());
    gain = gainAsked.value.intValue;
    EXPECT_EQ(objects_->table.GetDataValue(kGainAllEdit), gain);
}

std::vector<Cell> AllCells()
{
    std::vector<Cell> cells;
    for (const Operation& operation : Operations()) {
        for (const FaultKind& fault : kFaults) cells.push_back({&operation, &fault});
    }
    return cells;
}

// The default suite's share: every fault once, each on an operation where it tells most, and the shading
// write falling silent (nothing may close a broken write).
std::vector<Cell> ReducedCells()
{
    const std::pair<const char*, Fault> picks[] = {
        {"Reload", Fault::Silent},         {"StoreAll", Fault::Refusal},    {"EditCommit", Fault::Garbage},
        {"SettingFileLoad", Fault::Split}, {"GammaWrite", Fault::Late},     {"WhiteBalance", Fault::Overlong},
        {"ShadingRead", Fault::HangUp},    {"ShadingWrite", Fault::Silent},
    };
    std::vector<Cell> cells;
    for (const Cell& cell : AllCells()) {
        for (const auto& [name, fault] : picks) {
            if (cell.operation->name == std::string(name) && cell.fault->fault == fault) cells.push_back(cell);
        }
    }
    return cells;
}

std::string CellName(const ::testing::TestParamInfo<Cell>& tp)
{
    return std::string(tp.param.operation->name) + "_" + tp.param.fault->name;
}

INSTANTIATE_TEST_SUITE_P(Reduced, FaultMatrix, ::testing::ValuesIn(ReducedCells()), CellName);
INSTANTIATE_TEST_SUITE_P(Full, FaultMatrix, ::testing::ValuesIn(AllCells()), CellName);

}  // namespace
