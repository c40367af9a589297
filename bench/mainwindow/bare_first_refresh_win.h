#pragma once

// The first refresh over the benchmark's descriptors written as plainly as the Win32
// calls allow, for comparison: the walk of the three sources' Uninstall keys, a key
// opened per value read (DisplayName, UninstallString, and InstallLocation where the
// command places no directory), and the file-system questions the command analysis asks
// of the descriptors bench_descriptors.h plants: whether the uninstaller's directory is
// there and, where it is, the uninstaller, its directory, each component's long name and
// the directory's date, formatted; each name's sort key; and, once, the folders many
// programs share. No row is kept. Returns the descriptors seen.
int BareFirstRefresh();
