// rv-window-keys: operates the installed tool under Wine as an operator would, from the keyboard, for the checks
// of scripts/run-wine-tests.sh. Windows are found by the start of their title among the shown top-level windows.
//   rv-window-keys find TITLE [SECONDS]   waits for the window; prints "x y width height" of its frame
//   rv-window-keys front TITLE            brings it to the front (for a picture of it whole)
//   rv-window-keys move TITLE X Y         moves its frame's top left corner to X, Y (a picture of what it covered)
//   rv-window-keys type TITLE KEY...      brings it to the front and presses the keys in turn: a letter or digit,
//                                         enter, escape, tab, or alt+LETTER (a menu's mnemonic)
// Exit status 0 when done, 1 when no such window is shown (in time), 2 for a wrong command line.
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    std::string prefix;
    HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    char title[256] = {};
    if (!IsWindowVisible(window) || GetWindowTextA(window, title, sizeof title) <= 0) return TRUE;
    if (std::string(title).rfind(search->prefix, 0) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindShown(const std::string& prefix, int seconds)
{
    for (int tenth = 0; tenth <= seconds * 10; ++tenth) {
        Search search{prefix};
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(100);
    }
    return nullptr;
}

INPUT Key(WORD code, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(code, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// The virtual-key codes of one key name, modifier first; empty for a name this program does not know.
std::vector<WORD> Codes(std::string name)
{
    std::vector<WORD> codes;
    if (name.rfind("alt+", 0) == 0) {
        codes.push_back(VK_MENU);
        name = name.substr(4);
    }
    if (name == "enter") {
        codes.push_back(VK_RETURN);
    } else if (name == "escape") {
        codes.push_back(VK_ESCAPE);
    } else if (name == "tab") {
        codes.push_back(VK_TAB);
    } else if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        codes.push_back(static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0]))));
    } else {
        codes.clear();
    }
    return codes;
}

bool Press(const std::vector<WORD>& codes)
{
    std::vector<INPUT> inputs;
    for (WORD code : codes) inputs.push_back(Key(code, false));
    for (auto code = codes.rbegin(); code != codes.rend(); ++code) inputs.push_back(Key(*code, true));
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

HWND BringToFront(const std::string& title)
{
    HWND window = FindShown(title, 10);
    if (!window) return nullptr;
    SetForegroundWindow(window);
    SetActiveWindow(window);
    Sleep(300);
    return window;
}

int Type(const std::string& title, int argc, char** argv)
{
    std::vector<std::vector<WORD>> keys;
    for (int i = 3; i < argc; ++i) {
        keys.push_back(Codes(argv[i]));
        if (keys.back().empty()) {
            std::fprintf(stderr, "rv-window-keys: unknown key \"%s\"\n", argv[i]);
            return 2;
        }
    }
    if (!BringToFront(title)) return 1;
    for (const std::vector<WORD>& codes : keys) {
        if (!Press(codes)) return 1;
        Sleep(300);  // a menu or box opened by the key is shown before the next one
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string verb = argc > 2 ? argv[1] : "";
    if (verb == "find") {
        HWND window = FindShown(argv[2], argc > 3 ? std::atoi(argv[3]) : 10);
        if (!window) return 1;
        RECT frame{};
        GetWindowRect(window, &frame);
        std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
        return 0;
    }
    if (verb == "front") return BringToFront(argv[2]) ? 0 : 1;
    if (verb == "move" && argc == 5) {
        HWND window = FindShown(argv[2], 10);
        if (!window) return 1;
        const UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
        if (!SetWindowPos(window, nullptr, std::atoi(argv[3]), std::atoi(argv[4]), 0, 0, flags)) return 1;
        Sleep(300);
        return 0;
    }
    if (verb == "type" && argc > 3) return Type(argv[2], argc, argv);
    std::fprintf(stderr, "usage: rv-window-keys find TITLE [SECONDS] | front TITLE | move TITLE X Y | type TITLE KEY...\n");
    return 2;
}
