# The version, written once in project(VERSION): shown as "<major>.<minor in two digits>"
# ("1.00") by --version, the version blocks and the packages; the version blocks' numbers
# are all four parts.
string(REGEX REPLACE "^([0-9])$" "0\\1" minor "${PROJECT_VERSION_MINOR}")
set(PEXALO_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${minor}")
set(PEXALO_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in ${CMAKE_BINARY_DIR}/generated/Version.h @ONLY)
add_library(pexalo_version INTERFACE)
target_include_directories(pexalo_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
