#pragma once

// The first refresh over the benchmark's descriptors written as plainly as the Win32
// calls allow, for comparison: the walk of the three sources' Uninstall keys, a key
// opened per value read (DisplayName, UninstallString, InstallLocation where the command
// places no directory, Publisher and DisplayVersion), and the file-system questions the
// command analysis asks of the descriptors bench_descriptors.h plants
// (../inventory/bare_refresh_calls_win.h); each name's sort key; and, once, the
// folders many programs share. No row is kept. Returns the descriptors seen.
int BareFirstRefresh();
