# TinyXML, Boost and GoogleTest: Debian's packages natively; for the MinGW build
# TinyXML is compiled from Debian's patched source package and Boost's headers
# come from libboost-dev through a folder that holds nothing but boost/.

if(WIN32)
  set(GKR_TINYXML_SOURCE_DIR "${CMAKE_SOURCE_DIR}/build/deps/tinyxml-src" CACHE PATH "Unpacked Debian tinyxml source")
  if(NOT EXISTS "${GKR_TINYXML_SOURCE_DIR}/tinyxml.cpp")
    message(FATAL_ERROR "TinyXML sources not found in ${GKR_TINYXML_SOURCE_DIR}; run scripts/setup")
  endif()
  add_library(tinyxml STATIC
    ${GKR_TINYXML_SOURCE_DIR}/tinyxml.cpp
    ${GKR_TINYXML_SOURCE_DIR}/tinyxmlparser.cpp
    ${GKR_TINYXML_SOURCE_DIR}/tinyxmlerror.cpp
    ${GKR_TINYXML_SOURCE_DIR}/tinystr.cpp)
  target_include_directories(tinyxml SYSTEM PUBLIC ${GKR_TINYXML_SOURCE_DIR})
  target_compile_definitions(tinyxml PUBLIC TIXML_USE_STL)
  target_compile_options(tinyxml PRIVATE -w)
  add_library(gkr::tinyxml ALIAS tinyxml)

  set(GKR_BOOST_INCLUDE_DIR "${CMAKE_SOURCE_DIR}/build/deps/boost-include" CACHE PATH "Folder holding only boost/")
  if(NOT EXISTS "${GKR_BOOST_INCLUDE_DIR}/boost/lexical_cast.hpp")
    if(NOT EXISTS /usr/include/boost/lexical_cast.hpp)
      message(FATAL_ERROR "Boost headers not found; run scripts/setup (libboost-dev)")
    endif()
    file(MAKE_DIRECTORY "${GKR_BOOST_INCLUDE_DIR}")
    file(CREATE_LINK /usr/include/boost "${GKR_BOOST_INCLUDE_DIR}/boost" SYMBOLIC)
  endif()
  add_library(gkr_boost INTERFACE)
  target_include_directories(gkr_boost SYSTEM INTERFACE ${GKR_BOOST_INCLUDE_DIR})
  add_library(gkr::boost ALIAS gkr_boost)

  if(GKR_BUILD_TESTS)
    set(GKR_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${GKR_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  endif()
else()
  find_path(GKR_TINYXML_INCLUDE tinyxml.h REQUIRED)
  find_library(GKR_TINYXML_LIBRARY tinyxml REQUIRED)
  add_library(gkr_tinyxml INTERFACE)
  target_include_directories(gkr_tinyxml SYSTEM INTERFACE ${GKR_TINYXML_INCLUDE})
  target_link_libraries(gkr_tinyxml INTERFACE ${GKR_TINYXML_LIBRARY})
  target_compile_definitions(gkr_tinyxml INTERFACE TIXML_USE_STL)
  add_library(gkr::tinyxml ALIAS gkr_tinyxml)

  find_path(GKR_BOOST_INCLUDE boost/lexical_cast.hpp REQUIRED)
  add_library(gkr_boost INTERFACE)
  target_include_directories(gkr_boost SYSTEM INTERFACE ${GKR_BOOST_INCLUDE})
  add_library(gkr::boost ALIAS gkr_boost)

  if(GKR_BUILD_TESTS)
    find_package(GTest REQUIRED)
    find_package(benchmark QUIET)
  endif()
endif()
