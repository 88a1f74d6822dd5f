# Cross-compiles the Windows programs with Debian's MinGW-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(GKR_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${GKR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GKR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${GKR_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GKR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Each .exe must run alone: no libstdc++, libgcc or winpthread DLLs beside it.
# Code nothing calls is left out: Wine reads the whole image into memory.
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")
