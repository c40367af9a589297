// Charlie Clock: prints the local date and time and the time in the zones listed in
// zones.txt beside it (name and offset in minutes from UTC). Installed by the demo MSI.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string ProgramDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    return dir.substr(0, dir.find_last_of('\\'));
}

void PrintTime(const char* label, const SYSTEMTIME& t) {
    std::printf("%-20s %04u-%02u-%02u %02u:%02u\n", label, t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
}

SYSTEMTIME Shifted(const SYSTEMTIME& utc, long minutes) {
    FILETIME file;
    SystemTimeToFileTime(&utc, &file);
    ULARGE_INTEGER ticks{{file.dwLowDateTime, file.dwHighDateTime}};
    ticks.QuadPart += static_cast<long long>(minutes) * 60 * 10000000LL;
    file = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME shifted;
    FileTimeToSystemTime(&file, &shifted);
    return shifted;
}

}  // namespace

int main() {
    SYSTEMTIME local, utc;
    GetLocalTime(&local);
    GetSystemTime(&utc);
    PrintTime("Local time", local);
    PrintTime("UTC", utc);
    std::ifstream zones(ProgramDirectory() + "\\zones.txt");
    std::string name;
    long offset;
    while (zones >> name >> offset) PrintTime(name.c_str(), Shifted(utc, offset));
    return 0;
}
