# Small Windows executables: without exception tables, RTTI or thread-safe statics, the
# static C++ runtime (its unwinder, demangler and thread library) stays out of a
# one-thread program. `common_win32_runtime` puts the allocation operators on the
# process heap and answers the library's few throw helpers.
function(pexalo_lean_build target)
  target_compile_options(${target} PRIVATE
    -Os -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-asynchronous-unwind-tables
    -ffunction-sections -fdata-sections)
endfunction()

# <target>_lean: the same sources as a library, built the lean way, for executables only.
function(pexalo_lean_copy target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  list(TRANSFORM sources PREPEND ${dir}/)
  add_library(${target}_lean STATIC EXCLUDE_FROM_ALL ${sources})
  target_include_directories(${target}_lean PUBLIC $<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>)
  pexalo_lean_build(${target}_lean)
endfunction()

# A windowed executable built the lean way and stripped; without a link time stamp, equal
# sources give equal bytes.
function(pexalo_lean_executable target)
  pexalo_lean_build(${target})
  target_link_options(${target} PRIVATE -Wl,--gc-sections -Wl,--no-insert-timestamp -s)
  target_link_libraries(${target} PRIVATE common_win32_runtime)
endfunction()
