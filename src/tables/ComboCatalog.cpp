// Combo box entries and camera codes, shared by the pages, the model set-up and the simulated camera.
#include "tables/ComboCatalog.h"

#include "tables/CommandTable.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

using Entries = std::vector<std::string>;
using Codes = std::vector<int>;
using Coded = std::vector<std::pair<std::string, int>>;

const Entries kOffOn = {"Off", "On"};
const Entries kFalseTrue = {"False", "True"};

// Sources of the TTL outputs and the NAND inputs. The NAND input lists spell one entry
// "EncoderTriger", as the camera's own documentation does.
Coded SignalSources(bool nandSpelling)
{
    return {{"Low", 0},
            {"High", 1},
            {"ExposureActive", 7},
            {"LVAL", 9},
            {"PulseGenerator0", 10},
            {"PulseGenerator1", 11},
            {"PulseGenerator2", 12},
            {"PulseGenerator3", 13},
            {"UserOutput0", 14},
            {"UserOutput1", 15},
            {"UserOutput2", 16},
            {"UserOutput3", 17},
            {"Line4:TTL In1", 20},
            {"Line5:Opt In1", 21},
            {"Line7:CC1", 23},
            {"Line10:TTL In2", 24},
            {"NAND0 Out", 26},
            {"NAND1 Out", 27},
            {"Line13:TTL In3", 28},
            {nandSpelling ? "EncoderTriger" : "EncoderTrigger", 29},
            {"EncoderDirection", 30}};
}

Coded TriggerSources()
{
    return {{"Low", 0},
            {"High", 1},
            {"PulseGenerator0", 10},
            {"PulseGenerator1", 11},
            {"PulseGenerator2", 12},
            {"PulseGenerator3", 13},
            {"UserOutput0", 14},
            {"UserOutput1", 15},
            {"UserOutput2", 16},
            {"UserOutput3", 17},
            {"Line4 TTL In1", 20},
            {"Line5:Opt In1", 21},
            {"Line7:CC1", 23},
            {"Line10:TTL In2", 24},
            {"NAND0 Out", 26},
            {"NAND1 Out", 27},
            {"Line13:TTL In3", 28},
            {"EncoderTrigger", 29}};
}

ComboList Plain(int command, Entries entries) { return {command, std::move(entries), {}}; }

ComboList WithCodes(int command, const Coded& coded)
{
    ComboList list{command, {}, {}};
    for (const auto& [text, code] : coded) {
        list.entries.push_back(text);
        list.codes.push_back(code);
    }
    return list;
}

// The two-way switches: Off/On, and False/True for the signal inverters and user outputs.
void AddSwitchLists(std::vector<ComboList>& lists)
{
    for (int command : {cmd::TM, cmd::ARS, cmd::EI, cmd::GM, cmd::SWBR, cmd::ADDI, cmd::HIM, cmd::FFR, cmd::FFG,
                        cmd::FFB, cmd::MFR, cmd::MFG, cmd::MFB}) {
        lists.push_back(Plain(command, kOffOn));
    }
    for (int command :
         {cmd::LI0, cmd::LI1, cmd::LI2, cmd::LI3, cmd::ND0INV1, cmd::ND0INV2, cmd::ND1INV1, cmd::ND1INV2, cmd::PGINV0,
          cmd::PGINV1, cmd::PGINV2, cmd::PGINV3, cmd::USC0, cmd::USC1, cmd::USC2, cmd::USC3}) {
        lists.push_back(Plain(command, kFalseTrue));
    }
}

// The signal routing of the camera's lines: output sources, NAND inputs, trigger, pulse generators, counters.
void AddSignalLists(std::vector<ComboList>& lists)
{
    for (int command : {cmd::LS0, cmd::LS1, cmd::LS2, cmd::LS3})
        lists.push_back(WithCodes(command, SignalSources(false)));
    for (int command : {cmd::ND0IN1, cmd::ND0IN2, cmd::ND1IN1, cmd::ND1IN2}) {
        lists.push_back(WithCodes(command, SignalSources(true)));
    }
    lists.push_back(WithCodes(cmd::TI, TriggerSources()));
    // A pulse generator cannot be its own source.
    const int pgSources[] = {cmd::PGIN0, cmd::PGIN1, cmd::PGIN2, cmd::PGIN3};
    for (int n = 0; n < 4; ++n) {
        Coded coded = SignalSources(false);
        std::erase_if(coded, [n](const auto& entry) { return entry.second == 10 + n; });
        lists.push_back(WithCodes(pgSources[n], coded));
    }
    const Coded activation = {{"Off", 0}, {"LevelHigh", 1}, {"LevelLow", 2}, {"RisingEdge", 4}, {"FallingEdge", 8}};
    for (int command : {cmd::PGCM0, cmd::PGCM1, cmd::PGCM2, cmd::PGCM3})
        lists.push_back(WithCodes(command, activation));
    for (int command : {cmd::PGSM0, cmd::PGSM1, cmd::PGSM2, cmd::PGSM3}) {
        lists.push_back(Plain(command, {"Async Mode", "Sync Mode"}));
    }
    lists.push_back(WithCodes(cmd::CLCFG, {{"Base", 0}, {"Medium", 1}, {"Full", 2}, {"Eighty", 4}}));
    lists.push_back(WithCodes(cmd::CE0, {{"Off", 0}, {"Line Trigger", 1}}));
    lists.push_back(WithCodes(cmd::CE1, {{"Off", 0}, {"Line Start", 3}}));
    lists.push_back(WithCodes(cmd::CE2, {{"Off", 0}, {"Exposure Start", 2}}));
    lists.push_back(WithCodes(cmd::CE3, {{"Off", 0}, {"Line Transfer End", 4}}));
    for (int command : {cmd::CEA0, cmd::CEA1, cmd::CEA2, cmd::CEA3}) lists.push_back(Plain(command, {"Rising Edge"}));
}

// The modes of the camera's features, one list each.
void AddFeatureLists(std::vector<ComboList>& lists)
{
    lists.push_back(Plain(cmd::TA, {"RisingEdge", "FallingEdge", "LevelHigh", "LevelLow"}));
    lists.push_back(Plain(cmd::TR, {"OFF", "Timed", "TriggerWidth"}));
    lists.push_back(Plain(cmd::ETM, {"Common", "Indivisual"}));
    lists.push_back(Plain(cmd::LROP, {"Mode1", "Mode2"}));
    lists.push_back(Plain(cmd::BA, {"RGB8", "RGB10"}));
    lists.push_back(Plain(cmd::CLCF, {"85MHz", "63.75MHz", "42.5MHz", "31.875MHz"}));
    lists.push_back(Plain(cmd::SCB, {"Normal", "Medium", "Strong"}));
    lists.push_back(Plain(cmd::EAS, {"Red", "Green", "Blue"}));
    lists.push_back(Plain(cmd::TPN, {"Off", "White", "Grey Pattern 1", "Grey Pattern 2", "Color Bar"}));
    for (int command : {cmd::SGA, cmd::SGG, cmd::SGR, cmd::SGB})
        lists.push_back(Plain(command, {"0dB", "6dB", "12dB"}));
    lists.push_back(Plain(cmd::AWB, {"Off", "Once", "Exposure Once", "Preset 5000K", "Preset 6500K", "Preset 7500K"}));
    lists.push_back(Plain(cmd::SDM, {"Off", "User1", "User2", "User3"}));
    lists.push_back(Plain(cmd::SDCM, {"Flat Shading", "Color Shading"}));
    for (int command : {cmd::PGC, cmd::PBC})
        lists.push_back(Plain(command, {"Off", "Default", "User1", "User2", "User3"}));
    lists.push_back(Plain(cmd::LUN, {"Off", "Gamma", "LUT"}));
    lists.push_back(Plain(cmd::TMPS0, {"Main Board"}));
    lists.push_back(Plain(cmd::STP, {"TypeA", "TypeB"}));
    lists.push_back(Plain(cmd::CTM, {"RGB", "XYZ", "HSI"}));
    lists.push_back(Plain(cmd::CTRM, {"Off", "sRGB", "AdobeRGB", "UserCustom"}));
    lists.push_back(Plain(cmd::ODM, {"Forward", "Reverse"}));
    lists.push_back(Plain(
        cmd::ODS, {"Low", "High", "Line5:Opt In1", "Line4:TTL In1", "Line10:TTL In2", "Line13:TTL In3", "EncoderDir"}));
    for (int command : {cmd::ENCSA, cmd::ENCSB}) {
        lists.push_back(Plain(command, {"Line5:Opt In1", "Line4:TTL In1", "Line10:TTL In2", "Line13:TTL In3"}));
    }
    lists.push_back(Plain(cmd::ENAVE, {"none", "2pulse", "4pulse", "8pulse", "16pulse", "32pulse"}));
    lists.push_back(Plain(cmd::CACM, {"Off", "Lens1", "Lens2", "Lens3"}));
    lists.push_back(Plain(cmd::SPCM, {"Auto", "Manual"}));
    lists.push_back(Plain(cmd::OPTFL, {"Off", "0.1us", "1us", "5us", "10us", "50us", "100is"}));
    lists.push_back(Plain(cmd::BAS00, {"Default Area", "Update Area"}));
    lists.push_back(Plain(cmd::CBDRT, {"9600bps", "19200bps", "38400bps", "57600bps", "115200bps"}));
}

std::vector<ComboList> BuildLists()
{
    std::vector<ComboList> lists;
    AddSwitchLists(lists);
    AddSignalLists(lists);
    AddFeatureLists(lists);
    return lists;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

void RemoveStarting(ComboList& list, std::string_view prefix)
{
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        if (StartsWithNoCase(list.entries[i], prefix)) {
            list.entries.erase(list.entries.begin() + static_cast<std::ptrdiff_t>(i));
            if (!list.codes.empty()) list.codes.erase(list.codes.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

void InsertIfAbsent(ComboList& list, std::string_view text, std::size_t position)
{
    for (const std::string& entry : list.entries) {
        if (StartsWithNoCase(entry, text)) return;
    }
    position = std::min(position, list.entries.size());
    list.entries.insert(list.entries.begin() + static_cast<std::ptrdiff_t>(position), std::string(text));
}

}  // namespace

const std::vector<ComboList>& AllComboLists()
{
    static const std::vector<ComboList> lists = BuildLists();
    return lists;
}

const ComboList* FindComboList(int commandIndex)
{
    for (const ComboList& list : AllComboLists()) {
        if (list.commandIndex == commandIndex) return &list;
    }
    return nullptr;
}

ComboList ComboListForModel(int commandIndex, std::string_view model)
{
    const ComboList* base = FindComboList(commandIndex);
    if (!base) return {commandIndex, {}, {}};
    ComboList list = *base;
    const bool isA1 = model == kModelA1;
    const bool isB1 = model == kModelB1;
    if (!isA1 && !isB1) return list;
    if (commandIndex == cmd::ETM) {
        if (isB1)
            RemoveStarting(list, "Indivisual");
        else
            InsertIfAbsent(list, "Indivisual", 1);
    } else if (commandIndex == cmd::CLCF) {
        if (isB1)
            InsertIfAbsent(list, "31.875MHz", 3);
        else
            RemoveStarting(list, "31.875MHz");
    } else if (commandIndex == cmd::AWB) {
        if (isB1) {
            RemoveStarting(list, "Exposure Once");
            list.codes = {0, 2, 5, 6, 7};
        } else {
            InsertIfAbsent(list, "Exposure Once", 2);
            list.codes = {0, 2, 4, 5, 6, 7};
        }
    }
    return list;
}

std::vector<int> ComboCodesForModel(int commandIndex, std::string_view model)
{
    const ComboList list = ComboListForModel(commandIndex, model);
    std::vector<int> codes;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        // An entry whose item data is 0 stands for its index, as a combo box reads it.
        const int code = i < list.codes.size() ? list.codes[i] : 0;
        codes.push_back(code != 0 ? code : static_cast<int>(i));
    }
    return codes;
}
