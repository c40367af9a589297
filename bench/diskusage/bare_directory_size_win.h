#pragma once

// The directory scan written as plainly as the Win32 calls allow, for comparison: the
// same calls per entry (one PeekMessage loop, FindNextFileA, and CreateFileA,
// GetFileSize and CloseHandle per file), nothing else.
unsigned long long BareDirectorySize(const char* path);
