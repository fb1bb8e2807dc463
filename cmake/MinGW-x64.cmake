# x64 Windows: the build that is tested under Wine and shipped.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VANTREL_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
