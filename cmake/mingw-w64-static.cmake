# The MinGW-w64 toolchain for programs that stand alone: the C and C++ runtimes and
# the threads library linked in, unused code left out, symbols stripped.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -s -Wl,--gc-sections")
# Windows programs sit at the top of their folder, in the zip file as installed.
set(CMAKE_INSTALL_BINDIR . CACHE PATH "Folder of the programs")
