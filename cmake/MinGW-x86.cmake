# x86 Windows, the 32-bit target: compiled and linked, never run here (no 32-bit execution).
set(CMAKE_SYSTEM_PROCESSOR X86)
set(VANTREL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
