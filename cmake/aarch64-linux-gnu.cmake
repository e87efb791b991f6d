# Cross-compiles for 64-bit ARM Linux with Debian's g++-aarch64-linux-gnu; the programs
# run here under qemu-aarch64 (qemu-user), with the ARM libraries that came with the
# compiler.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(LOFTYPE_CROSS aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${LOFTYPE_CROSS}-gcc)
set(CMAKE_CXX_COMPILER ${LOFTYPE_CROSS}-g++)

list(APPEND CMAKE_FIND_ROOT_PATH /usr/${LOFTYPE_CROSS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under qemu, also when CTest lists their tests.
find_program(LOFTYPE_QEMU qemu-aarch64)
if(LOFTYPE_QEMU)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${LOFTYPE_QEMU} -L /usr/${LOFTYPE_CROSS})
endif()
