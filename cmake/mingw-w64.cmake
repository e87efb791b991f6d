# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (POSIX threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LOFTYPE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LOFTYPE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LOFTYPE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${LOFTYPE_MINGW}-windres)

# Libraries and headers come from the MinGW tree and the prefixes given on the
# command line (the static Qt); programs such as moc come from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${LOFTYPE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Test programs run under Wine, also when CTest lists their tests.
find_program(LOFTYPE_WINE NAMES wine64 wine)
if(LOFTYPE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${LOFTYPE_WINE})
endif()
