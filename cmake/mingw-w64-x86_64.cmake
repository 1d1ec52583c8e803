# Cross-building for 64-bit Windows with Debian's mingw-w64 (the POSIX
# threads flavour of GCC, package g++-mingw-w64-x86-64-posix):
#
#   cmake -S . -B build-windows -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# Every program is linked statically (the C++ runtime, winpthreads and
# libgcc included), so that an .exe needs nothing beside it but Windows.
# Programs built here run on this machine under Wine: tests and the build's
# own probes go through cmake/wine-run, which keeps a private Wine prefix in
# the build directory.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILLO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLO_MINGW_TRIPLET}-windres)

# Headers and libraries come from the mingw-w64 tree only; programs (ninja,
# wixl) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${QUILLO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Release programs without their symbol tables (half their size).
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# Windows 10 is the oldest system the programs call into; wide (Unicode)
# forms of the Windows functions, and no min and max macros.
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00 -DUNICODE -D_UNICODE -DNOMINMAX")
set(CMAKE_C_FLAGS_INIT "${CMAKE_CXX_FLAGS_INIT}")

# ctest runs the .exe files under Wine, in a prefix of the build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${CMAKE_BINARY_DIR}/wine-prefix)
