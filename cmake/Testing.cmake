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

# pexalo_add_test(<name> SOURCES ... LIBS ...): one test executable, one ctest entry.
# Under cross-compilation ctest runs it through the emulator (Wine).
function(pexalo_add_test name)
  if(PEXALO_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
