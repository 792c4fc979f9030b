# Each subsystem builds its core everywhere and one platform folder beside it: win32 or
# linux. The fuzz build takes the cores alone.
function(pexalo_add_platform_subdirectory)
  if(PEXALO_FUZZ)
    return()
  endif()
  if(WIN32)
    add_subdirectory(win32)
  else()
    add_subdirectory(linux)
  endif()
endfunction()
