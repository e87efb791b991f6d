# GoogleTest compiled from Debian's sources (libgtest-dev), with its GTest::gtest
# and GTest::gtest_main, for builds that the packaged libraries do not fit, such
# as the MinGW cross build.
set(BUILD_GMOCK OFF)
set(INSTALL_GTEST OFF)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
