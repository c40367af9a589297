# <windows.h> costs more to parse than most of the files that include it: a Windows-side
# library or test program of many files parses it once, precompiled, with the target's
# own definitions (WIN32_LEAN_AND_MEAN, NOMINMAX, the Windows version, from zobl_win32).
function(zobl_precompile_windows_header target)
  if(WIN32)
    target_precompile_headers(${target} PRIVATE <windows.h>)
  endif()
endfunction()
