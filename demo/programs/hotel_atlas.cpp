// Hotel Atlas: a map viewer that installs itself by copying (no setup program), with a
// very large map file. "hotel-atlas.exe /uninstall" is its own uninstaller: it asks,
// deletes its maps and its uninstall key, and leaves the program file for the next
// restart to remove.
#include <windows.h>

#include <string>

namespace {

constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\HotelAtlas";

std::string ProgramDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    return dir.substr(0, dir.find_last_of('\\'));
}

void DeleteTree(const std::string& dir) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = dir + "\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteTree(path);
            RemoveDirectoryA(path.c_str());
        } else {
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

int Uninstall() {
    if (MessageBoxA(nullptr, "Remove Hotel Atlas and all its maps?", "Hotel Atlas", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 1;
    const std::string dir = ProgramDirectory();
    DeleteTree(dir + "\\maps");
    RemoveDirectoryA((dir + "\\maps").c_str());
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_64KEY, 0);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    MoveFileExA(self, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    MoveFileExA(dir.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    MessageBoxA(nullptr, "Hotel Atlas has been removed.", "Hotel Atlas", MB_OK | MB_ICONINFORMATION);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    if (lstrcmpiA(commandLine, "/uninstall") == 0) return Uninstall();
    MessageBoxA(nullptr, "Hotel Atlas 4.1\n\nThe world map is in the maps folder beside this program.", "Hotel Atlas",
                MB_OK | MB_ICONINFORMATION);
    return 0;
}
