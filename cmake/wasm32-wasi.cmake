# Builds the toolkit-free core into a WebAssembly module with Debian's clang 14 and its
# wasm32-wasi C and C++ libraries (packages wasi-libc, libc++-14-dev-wasm32,
# libc++abi-14-dev-wasm32, libclang-rt-14-dev-wasm32, lld-14, llvm-14).
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_AR llvm-ar-14)
set(CMAKE_RANLIB llvm-ranlib-14)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
# The module has no exceptions (the wasm32 C++ library is built without them) and no
# run-time types; it is optimised as one whole (full link-time optimisation), the C
# library's bitcode included. The optimisation levels are not the build type's:
# web/CMakeLists.txt gives each target its own, so that every compile and the link
# carry exactly one. Forced, so that a cache made before holds none either.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -fno-rtti -flto")
set(CMAKE_CXX_FLAGS_MINSIZEREL "-DNDEBUG" CACHE STRING "The wasm preset's build type: optimisation levels come from web/CMakeLists.txt" FORCE)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-flto")
