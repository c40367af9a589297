# Compiles through ccache when it is installed (ZOBL_CCACHE, on by default). Paths below
# the source tree are hashed relative to it and the build directory is left out, so a
# fresh clone elsewhere on the same machine finds what an earlier one compiled. The cache
# is ccache's own (~/.cache/ccache unless CCACHE_DIR says otherwise), outside any checkout.
option(ZOBL_CCACHE "Compile through ccache when it is installed" ON)
if(ZOBL_CCACHE)
  find_program(ZOBL_CCACHE_PROGRAM ccache)
  if(ZOBL_CCACHE_PROGRAM)
    # The test programs compile the test framework's header once, precompiled; the cache
    # serves files that use it only when told the header's own macros and times may be ignored.
    set(CMAKE_CXX_COMPILER_LAUNCHER
        ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=1
        CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime ${ZOBL_CCACHE_PROGRAM})
  endif()
endif()
