// Which commands the simulated camera reads, writes as text or refuses to write, and its text rules.
#include "camsim/CameraCommandRules.h"

#include <algorithm>
#include <cctype>

namespace camsim {

int IndexOf(const int (&list)[4], int command)
{
    for (int i = 0; i < 4; ++i) {
        if (list[i] == command) return i;
    }
    return -1;
}

// Commands no page control is bound to, as this camera implements them: EB (echo flag, kept but without
// effect), HP (a one-line help text), ST (status word, 0 = ready), SBDRT (the current speed code), ST00,
// GA00, PGC00, PBC00 (factory settings kept like the others), SDR00/SDS00 (factory shading calibration
// with busy polling like PGR00/PGS00), DVN (the vendor name).
bool IsReadOnly(int command)
{
    switch (command) {
        case cmd::VN:
        case cmd::FPVN:
        case cmd::ID:
        case cmd::DVN:
        case cmd::MD:
        case cmd::DV:
        case cmd::HP:
        case cmd::ST:
        case cmd::SBDRT:
        case cmd::LRMIN:
        case cmd::PEMAX:
        case cmd::PEMIN:
        case cmd::AWRS:
        case cmd::AHRS:
        case cmd::SDRS:
        case cmd::PGS:
        case cmd::PBS:
        case cmd::PGS00:
        case cmd::PBS00:
        case cmd::SDS00:
        case cmd::TMP0:
        case cmd::EA:
            return true;
        default:
            return IndexOf(kCounterValue, command) >= 0 || IndexOf(kCounterStatus, command) >= 0;
    }
}

bool IsWrittenText(int command)
{
    return command == cmd::UD || command == cmd::ID00 || command == cmd::MD00 || command == cmd::DV00;
}

int StatusOf(int startCommand)
{
    switch (startCommand) {
        case cmd::PGR:
            return cmd::PGS;
        case cmd::PBR:
            return cmd::PBS;
        case cmd::PGR00:
            return cmd::PGS00;
        case cmd::PBR00:
            return cmd::PBS00;
        case cmd::SDR00:
            return cmd::SDS00;
        default:
            return -1;
    }
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool ParseInteger(std::string_view text, long long& value)
{
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 12) return false;
    long long result = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        result = result * 10 + (c - '0');
    }
    value = negative ? -result : result;
    return true;
}

bool IsCleanText(std::string_view text) { return text.find_first_of("=?,") == std::string_view::npos; }

bool HasControlCharacter(std::string_view line)
{
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 32 || byte == 127;
    });
}

std::string CommandWord(std::string_view text)
{
    std::string word(Trim(text));
    for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const bool ok = !word.empty() && word.size() <= 16 && std::all_of(word.begin(), word.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0;
    });
    return ok ? word : std::string();
}

bool IsDottedVersion(std::string_view text, int partMax)
{
    int parts = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = text.find('.', start);
        const std::string_view part = text.substr(start, dot == std::string_view::npos ? dot : dot - start);
        if (part.empty() || part.size() > static_cast<std::size_t>(partMax) || !IsCleanText(part)) return false;
        ++parts;
        if (dot == std::string_view::npos) break;
        start = dot + 1;
    }
    return parts == 4;
}

}  // namespace camsim
