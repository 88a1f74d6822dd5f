# Project code builds warning-free with -Wall -Wextra (MSVC: /W4).
function(gkr_project_target target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(GKR_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
  endif()
endfunction()

# A program shipped without its debug information: Wine maps the whole image
# into memory, debug sections and all. The symbols stay beside it in
# <program>.debug (linked by name) for crash analysis. Its sections are
# aligned in the file as in memory, so that Wine maps the image from the file
# and loads a page when it is touched, as Windows does; with the usual 512-byte
# alignment Wine copies the whole image into private memory.
function(gkr_split_debug_info target)
  target_link_options(${target} PRIVATE -Wl,--file-alignment,4096)
  if(NOT CMAKE_OBJCOPY)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${GKR_OBJCOPY_REPRODUCIBLE} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${GKR_OBJCOPY_REPRODUCIBLE} --strip-debug --strip-unneeded --file-alignment 4096
            --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug $<TARGET_FILE:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
