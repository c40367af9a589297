# GoogleTest from Debian's sources, built with the same compiler as the project
# (native for the host tree, MinGW-w64 for the win64 tree).
set(ZOBL_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${ZOBL_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
if(CMAKE_CROSSCOMPILING)
  # Like the test programs of that tree (tests/CMakeLists.txt), without optimisation.
  target_compile_options(gtest PRIVATE -O0)
  target_compile_options(gtest_main PRIVATE -O0)
endif()

# The test suites (the first argument of TEST, TEST_F, TEST_P, TYPED_TEST) declared in a
# target's sources, in the order met. Each source is watched: editing one configures the
# tree again, so a suite added is registered before the next test run.
function(zobl_gtest_suites target out)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(suites)
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "\\.cpp$")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} OUTPUT_VARIABLE file)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
    file(STRINGS ${file} lines REGEX "^[ \t]*(TEST|TEST_F|TEST_P|TYPED_TEST|TYPED_TEST_P)[ \t]*\\([ \t]*[A-Za-z_]")
    foreach(line IN LISTS lines)
      if(line MATCHES "^[ \t]*[A-Z_]+[ \t]*\\([ \t]*([A-Za-z_][A-Za-z0-9_]*)")
        list(APPEND suites ${CMAKE_MATCH_1})
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES suites)
  set(${out} ${suites} PARENT_SCOPE)
endfunction()

# Registers the GoogleTest program TARGET with CTest.
#   zobl_gtest(TARGET PREFIX [ONE_PROCESS] [PROPERTIES name value ...])
# Natively every test case is a CTest test of its own (a process each costs nothing).
# Under Wine a process costs a Wine start, so the tests run a suite per process, as
# PREFIX.SUITE (suites keep their fixtures' isolation from each other), or with
# ONE_PROCESS all in one process, as PREFIX. PREFIX.registered then checks that no test
# of the program was left out of those suites. Every test gets PROPERTIES; under Wine
# each needs the warmed prefix (the fixture wine_prefix).
function(zobl_gtest target prefix)
  cmake_parse_arguments(PARSE_ARGV 2 arg "ONE_PROCESS" "" "PROPERTIES")
  # The framework's header costs more than most test files themselves: it is parsed once
  # per test program.
  target_precompile_headers(${target} PRIVATE <gtest/gtest.h>)
  if(NOT CMAKE_CROSSCOMPILING)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST PROPERTIES ${arg_PROPERTIES})
    return()
  endif()
  if(arg_ONE_PROCESS)
    add_test(NAME ${prefix} COMMAND ${target} --gtest_color=no)
    set_tests_properties(${prefix} PROPERTIES ${arg_PROPERTIES} FIXTURES_REQUIRED wine_prefix)
    return()
  endif()

  zobl_gtest_suites(${target} suites)
  set(all)
  foreach(suite IN LISTS suites)
    # Plain, parameterised (Instance/Suite.Test/N) and typed (Suite/N.Test) names.
    set(filter "${suite}.*:*/${suite}.*:${suite}/*.*")
    list(APPEND all ${filter})
    add_test(NAME ${prefix}.${suite} COMMAND ${target} --gtest_filter=${filter} --gtest_color=no)
    set_tests_properties(${prefix}.${suite} PROPERTIES ${arg_PROPERTIES} FIXTURES_REQUIRED wine_prefix)
  endforeach()
  # Lists what none of the filters above takes: nothing, or the test fails.
  list(JOIN all ":" covered)
  add_test(NAME ${prefix}.registered COMMAND ${target} --gtest_list_tests "--gtest_filter=-${covered}")
  set_tests_properties(${prefix}.registered PROPERTIES LABELS ${prefix} FIXTURES_REQUIRED wine_prefix
                       FAIL_REGULAR_EXPRESSION "[A-Za-z0-9_/]+\\.[^\n]?\n  ")
endfunction()
