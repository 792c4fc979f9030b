# GoogleTest: Debian's library natively, Debian's source tree when cross-compiling.
if(PEXALO_FUZZ)
  # The fuzz build runs only the harnesses.
elseif(CMAKE_CROSSCOMPILING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()

include(GoogleTest)

# The label of what a folder tests: its subsystem (player, assoc or common) and its part (core,
# linux or win32), as "player-linux". `ctest -L` takes a pattern: `-L win32` runs one
# platform's tests, `-L player` one program's. One label, as listed cases take no lists.
function(pexalo_folder_label result)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  string(REPLACE "/" ";" parts "${folder}")
  list(FILTER parts INCLUDE REGEX "^(player|assoc|common|core|linux|win32)$")
  list(JOIN parts - label)
  set(${result} ${label} PARENT_SCOPE)
endfunction()

# pexalo_add_test(<name> SOURCES ... LIBS ... [TIMEOUT seconds]): one test executable; each of
# its cases is a ctest entry of its own, named <name>.<Suite>.<Case>. The cases are listed
# when ctest runs, under cross-compilation through the emulator (Wine), which needs the
# test's display.
function(pexalo_add_test name)
  if(PEXALO_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  pexalo_folder_label(label)
  set(properties LABELS ${label})
  if(ARG_TIMEOUT)
    list(APPEND properties TIMEOUT ${ARG_TIMEOUT})
  endif()
  gtest_discover_tests(${name} TEST_PREFIX ${name}. DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 300
                       PROPERTIES ${properties})
endfunction()
