# Cross-building for Windows with Debian's MinGW-w64, shared by the x64 and x86 toolchain files,
# which set VANTREL_MINGW_TRIPLE first. The -posix compilers give std::thread; the C++ runtime
# and winpthreads are linked in statically, so no DLL has to lie beside an executable.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 10)

set(CMAKE_C_COMPILER ${VANTREL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTREL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTREL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VANTREL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
