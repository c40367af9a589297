#pragma once

// One pass of the exports' complete reading over the benchmark's descriptors, written as
// plainly as the Win32 calls allow, for comparison: the walk of the three sources'
// Uninstall keys, each descriptor opened through its source's key and every value of it
// enumerated (the key's longest name and data asked before each, as the reading asks), and
// the file-system questions the command analysis asks of the uninstallers
// bench_descriptors.h plants (../inventory/bare_refresh_calls_win.h); each name's sort
// key; and, once, the folders many programs share. Texts stay UTF-16: the conversions to
// UTF-8 and back are the program's own work, not the system's. No row is kept. Returns the
// descriptors seen.
int BareCompleteReading();
