// Drives a running ZOBL window from outside its process, for run.sh on a screen
// without a user:
//   zobl_remote wait [SECONDS]   wait until the main window is shown and its list is filled
//   zobl_remote quit             click the "Quit ZOBL" button
//   zobl_remote names            print the first column of every row, one per line
// Exit codes: 0 done, 1 window not found in time, 2 button not found, 3 bad arguments.
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

int Quit() {
    HWND window = FindMainWindow();
    if (!window) {
        std::fprintf(stderr, "zobl_remote: no visible window \"%s\"\n", kWindowTitle);
        return 1;
    }
    for (HWND button : ChildrenOfClass(window, WC_BUTTONA)) {
        if (TextOf(button) != kQuitCaption) continue;
        // Posted, not sent: the click may open a modal box, which must not block us.
        PostMessageA(button, BM_CLICK, 0, 0);
        return 0;
    }
    std::fprintf(stderr, "zobl_remote: no \"%s\" button in the window\n", kQuitCaption);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "wait") == 0) {
        const DWORD seconds = argc >= 3 ? std::strtoul(argv[2], nullptr, 10) : 60;
        return WaitReady(seconds ? seconds : 60);
    }
    if (argc == 2 && std::strcmp(argv[1], "quit") == 0) return Quit();
    if (argc == 2 && std::strcmp(argv[1], "names") == 0) return Names();
    std::fprintf(stderr, "usage: zobl_remote wait [SECONDS] | zobl_remote quit | zobl_remote names\n");
    return 3;
}
