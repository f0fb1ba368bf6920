# Toolchain for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The posix flavour brings std::thread and friends through winpthread. Everything of the compiler's
# own runtime (libstdc++, libgcc, winpthread) is linked in, so the program needs only the DLLs
# that Windows itself ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VENNALOOP_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VENNALOOP_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VENNALOOP_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VENNALOOP_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VENNALOOP_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine, each run in a prefix of its own (scripts/wine-run.sh).
get_filename_component(VENNALOOP_TOOLCHAIN_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VENNALOOP_TOOLCHAIN_ROOT}/scripts/wine-run.sh)
