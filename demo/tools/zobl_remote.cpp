// Drives a running ZOBL window from outside its process, for run.sh on a screen
// without a user:
//   zobl_remote wait [SECONDS]   wait until the main window is shown and its list is filled
//   zobl_remote quit             click the "Quit ZOBL" button
//   zobl_remote names            print the first column of every row, one per line
//   zobl_remote compute          click "Compute the Files Size" and wait until the run is over
//   zobl_remote tab N            bring tab N (0 "List" ... 3 "About") to the front with the
//                                keyboard's Ctrl+PageDown, as a user without a mouse would,
//                                the mouse pointer moved aside so that no tooltip shows
// Exit codes: 0 done, 1 window not found in time, 2 button or tab not found, 3 bad arguments.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kWindowClass = "TForm1";
constexpr const char* kWindowTitle = "ZOBL Quillmoor 2.0";
constexpr const char* kQuitCaption = "Quit ZOBL";
constexpr const char* kComputeCaption = "Compute the Files Size";

HWND FindMainWindow() {
    HWND window = FindWindowA(kWindowClass, kWindowTitle);
    return window && IsWindowVisible(window) ? window : nullptr;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    // WM_GETTEXT through a timeout, so a hung program cannot hang us too.
    char text[256] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    return text;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
    struct Search {
        const char* className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (lstrcmpiA(ClassOf(child).c_str(), s->className) == 0) s->found.push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Sum of the rows of every visible list view in the window; -1 when it has none.
long ListRowCount(HWND window) {
    long total = -1;
    for (HWND list : ChildrenOfClass(window, WC_LISTVIEWA)) {
        if (!IsWindowVisible(list)) continue;
        DWORD_PTR count = 0;
        if (!SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count)) continue;
        total = (total < 0 ? 0 : total) + static_cast<long>(count);
    }
    return total;
}

int WaitReady(DWORD timeoutSeconds) {
    const DWORD start = GetTickCount();
    const DWORD deadline = timeoutSeconds * 1000;
    HWND window = nullptr;
    while (!(window = FindMainWindow())) {
        if (GetTickCount() - start > deadline) {
            std::fprintf(stderr, "zobl_remote: no visible window \"%s\" after %lu s\n", kWindowTitle,
                         static_cast<unsigned long>(timeoutSeconds));
            return 1;
        }
        Sleep(200);
    }
    const DWORD shown = GetTickCount();

    // The list is filled during start-up; it counts as settled once its row count has stayed
    // the same for a second. An empty registry gives an empty list, so after a few seconds
    // of no rows we stop waiting for any.
    long last = -2;
    DWORD sameSince = GetTickCount();
    for (;;) {
        const long rows = ListRowCount(window);
        const DWORD now = GetTickCount();
        if (rows != last) {
            last = rows;
            sameSince = now;
        }
        const bool settled = now - sameSince >= 1000;
        if ((settled && rows > 0) || now - shown >= 5000 || now - start > deadline) break;
        Sleep(250);
    }
    std::printf("window shown after %lu ms, %ld rows listed\n", static_cast<unsigned long>(shown - start),
                last < 0 ? 0 : last);
    return 0;
}

// Frees memory reserved in another process when it goes out of scope.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, SIZE_T size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteMemory() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    [[nodiscard]] char* Address() const { return static_cast<char*>(address_); }

private:
    HANDLE process_;
    void* address_;
};

// The list's texts live in the program's process: the item structure and the text buffer
// the list view fills are placed there, and read back from there.
int Names() {
    const HWND window = FindMainWindow();
    if (!window) {
        std::fprintf(stderr, "zobl_remote: no visible window \"%s\"\n", kWindowTitle);
        return 1;
    }
    HWND list = nullptr;
    for (HWND candidate : ChildrenOfClass(window, WC_LISTVIEWA)) {
        if (IsWindowVisible(candidate)) list = candidate;
    }
    if (!list) {
        std::fprintf(stderr, "zobl_remote: no visible list in the window\n");
        return 2;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    const std::unique_ptr<void, decltype(&CloseHandle)> process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId), &CloseHandle);
    constexpr SIZE_T kTextSize = 1024;
    const RemoteMemory remote(process.get(), sizeof(LVITEMA) + kTextSize);
    if (!process || !remote.Address()) {
        std::fprintf(stderr, "zobl_remote: cannot reach the program's memory\n");
        return 1;
    }
    const long rows = static_cast<long>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (long row = 0; row < rows; ++row) {
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = remote.Address() + sizeof(LVITEMA);
        item.cchTextMax = static_cast<int>(kTextSize);
        char text[kTextSize] = {};
        if (!WriteProcessMemory(process.get(), remote.Address(), &item, sizeof item, nullptr)) return 1;
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.Address()));
        if (!ReadProcessMemory(process.get(), item.pszText, text, kTextSize - 1, nullptr)) return 1;
        std::printf("%s\n", text);
    }
    return 0;
}

HWND FindButton(HWND window, const char* caption) {
    for (HWND button : ChildrenOfClass(window, WC_BUTTONA)) {
        if (TextOf(button) == caption) return button;
    }
    std::fprintf(stderr, "zobl_remote: no \"%s\" button in the window\n", caption);
    return nullptr;
}

int Quit() {
    HWND window = FindMainWindow();
    if (!window) {
        std::fprintf(stderr, "zobl_remote: no visible window \"%s\"\n", kWindowTitle);
        return 1;
    }
    HWND button = FindButton(window, kQuitCaption);
    if (!button) return 2;
    // Posted, not sent: the click may open a modal box, which must not block us.
    PostMessageA(button, BM_CLICK, 0, 0);
    return 0;
}

// The run shows the Pie tab and hides the button at its start, in the click's own
// handling, and shows the button again at its end.
int Compute() {
    HWND window = FindMainWindow();
    if (!window) {
        std::fprintf(stderr, "zobl_remote: no visible window \"%s\"\n", kWindowTitle);
        return 1;
    }
    HWND button = FindButton(window, kComputeCaption);
    const std::vector<HWND> tabs = ChildrenOfClass(window, WC_TABCONTROLA);
    if (!button || tabs.empty()) return 2;
    PostMessageA(button, BM_CLICK, 0, 0);
    for (int waited = 0; waited < 3000; ++waited) {
        DWORD_PTR tab = 0;
        SendMessageTimeoutA(tabs.front(), TCM_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &tab);
        if (tab == 1 && IsWindowVisible(button)) return 0;
        Sleep(20);
    }
    std::fprintf(stderr, "zobl_remote: the sizes were not computed within a minute\n");
    return 1;
}

void PressCtrlPageDown() {
    INPUT keys[4] = {};
    const WORD order[4] = {VK_CONTROL, VK_NEXT, VK_NEXT, VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(4, keys, sizeof(INPUT));
}

int ShowTab(int wanted) {
    HWND window = FindMainWindow();
    if (!window) {
        std::fprintf(stderr, "zobl_remote: no visible window \"%s\"\n", kWindowTitle);
        return 1;
    }
    const std::vector<HWND> tabs = ChildrenOfClass(window, WC_TABCONTROLA);
    if (tabs.empty() || wanted < 0 || wanted >= TabCtrl_GetItemCount(tabs.front())) {
        std::fprintf(stderr, "zobl_remote: no tab %d in the window\n", wanted);
        return 2;
    }
    SetForegroundWindow(window);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    for (int presses = 0; presses < 8 && TabCtrl_GetCurSel(tabs.front()) != wanted; ++presses) {
        const int before = TabCtrl_GetCurSel(tabs.front());
        PressCtrlPageDown();
        for (int waited = 0; waited < 100 && TabCtrl_GetCurSel(tabs.front()) == before; ++waited) Sleep(20);
    }
    if (TabCtrl_GetCurSel(tabs.front()) != wanted) {
        std::fprintf(stderr, "zobl_remote: the window did not switch to tab %d\n", wanted);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "wait") == 0) {
        const DWORD seconds = argc >= 3 ? std::strtoul(argv[2], nullptr, 10) : 60;
        return WaitReady(seconds ? seconds : 60);
    }
    if (argc == 2 && std::strcmp(argv[1], "quit") == 0) return Quit();
    if (argc == 2 && std::strcmp(argv[1], "names") == 0) return Names();
    if (argc == 2 && std::strcmp(argv[1], "compute") == 0) return Compute();
    if (argc == 3 && std::strcmp(argv[1], "tab") == 0) return ShowTab(std::atoi(argv[2]));
    std::fprintf(stderr, "usage: zobl_remote wait [SECONDS] | quit | names | compute | tab N\n");
    return 3;
}
