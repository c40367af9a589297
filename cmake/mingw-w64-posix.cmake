# Cross build for 64-bit Windows with MinGW-w64 (posix thread model); programs and
# tests run under Wine through the emulator script beside this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZOBL_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${ZOBL_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZOBL_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZOBL_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZOBL_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One file that runs on its own: no MinGW runtime DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_STRIP ${ZOBL_TRIPLET}-strip)
