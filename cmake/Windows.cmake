# What the Windows builds need besides the sources: GoogleTest built from Debian's sources with
# the same compiler, and Wine as CTest's emulator where the build's programs can run under it.

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# wine64 runs x64 programs only: an x86 build is compiled and linked, and its tests are not
# registered (VANTREL_SPUSTITELNE stays off).
set(VANTREL_SPUSTITELNE OFF)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    find_program(VANTREL_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH REQUIRED)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${PROJECT_SOURCE_DIR}/scripts/wine-test.sh ${CMAKE_BINARY_DIR}/wine ${VANTREL_WINE64})
    set(VANTREL_SPUSTITELNE ON)
    # vantrel-join.exe must give the bytes of the Linux build's vantrel-join (`make test` builds
    # that first and names its folder).
    set(VANTREL_LINUX_BUILD ${PROJECT_SOURCE_DIR}/build CACHE PATH
        "The Linux build folder whose vantrel-join the Windows one is compared with")
endif()
