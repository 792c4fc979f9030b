# Fails when a core folder includes anything but its own headers and the C++ standard library.
set(standard_headers
  algorithm array atomic bit charconv chrono cmath compare concepts cstddef cstdint cstdio cstdlib
  cstring functional initializer_list iterator limits map memory numeric optional ranges set span
  string string_view tuple type_traits utility variant vector)
file(GLOB_RECURSE sources ${ROOT}/*/core/*.h ${ROOT}/*/core/*.cpp)
list(FILTER sources EXCLUDE REGEX "/tests/")
if(NOT sources)
  message(FATAL_ERROR "no core sources found under ${ROOT}")
endif()
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*<")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE ".*<([^>]+)>.*" "\\1" header "${line}")
    list(FIND standard_headers "${header}" at)
    if(at EQUAL -1)
      message(SEND_ERROR "platform or unknown header in the core: ${source}: ${line}")
    endif()
  endforeach()
endforeach()
