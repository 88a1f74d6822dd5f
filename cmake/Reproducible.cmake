# The Windows programs come out byte for byte the same whatever folder they are
# built in and whenever, so that anyone can rebuild a published release from
# its commit and compare (scripts/release-check does). Included after the
# dependencies are defined, before the programs.

set(GKR_OBJCOPY_REPRODUCIBLE ${CMAKE_OBJCOPY})
if(NOT MINGW)
  return()
endif()

# Debug information names the source and build folders: name them relative to
# the tree instead. Only the debug information: the Windows tests find their
# data through __FILE__ and need the real path. The last matching map wins, so
# the build and dependency folders (usually inside the source tree) come last.
set(GKR_DEBUG_PREFIX_MAPS)
foreach(map
    "${CMAKE_SOURCE_DIR}=."
    "${CMAKE_BINARY_DIR}=build"
    "${GKR_TINYXML_SOURCE_DIR}=deps/tinyxml"
    "${GKR_BOOST_INCLUDE_DIR}=deps/boost-include")
  list(APPEND GKR_DEBUG_PREFIX_MAPS "-fdebug-prefix-map=${map}")
endforeach()
add_compile_options(${GKR_DEBUG_PREFIX_MAPS})
target_compile_options(tinyxml PRIVATE ${GKR_DEBUG_PREFIX_MAPS})  # defined before this file

# The linker stamps the image with the current time unless told not to; a zero
# stamp is what reproducible PE builds use (nothing binds to our imports).
add_link_options(-Wl,--no-insert-timestamp)

# objcopy, too, stamps each PE file it writes with the current time unless
# SOURCE_DATE_EPOCH names one: give it the linker's zero.
set(GKR_OBJCOPY_REPRODUCIBLE ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
