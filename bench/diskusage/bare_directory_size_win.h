#pragma once

// The directory scan written as plainly as the Win32 calls allow, for comparison: the
// same calls per entry (one PeekMessage loop, FindNextFileW, and CreateFileW,
// GetFileSize and CloseHandle per file) through the same extended-length paths, nothing
// else. `path` is in the program's code page.
unsigned long long BareDirectorySize(const char* path);
