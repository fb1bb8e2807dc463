# Every executable carries the project version as a fixed record: on Windows its VERSIONINFO
# resource, on Linux the counterpart in its own ELF section. The file facts of the platform layer
# read it back from the file on disk.
#
# Section ".vantrel_version", 16 bytes: the magic "VTRLVER" with its zero byte, then major,
# minor, release and build as unsigned 16-bit numbers in the file's byte order.

math(EXPR _vantrel_tweak "0${PROJECT_VERSION_TWEAK}")

if(WIN32)
    enable_language(RC)
    # The texts the about dialog and the packages use: the copyright line of LICENSE.
    file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE _vantrel_copyright REGEX "^Copyright ")
    set(_vantrel_version_rc_in ${CMAKE_CURRENT_LIST_DIR}/VersionInfo.rc.in)

    # Adds the version resource to an executable target; DESCRIPTION is its FileDescription.
    function(vantrel_version_record target)
        cmake_parse_arguments(V "" "DESCRIPTION" "" ${ARGN})
        if(NOT V_DESCRIPTION AND target STREQUAL "vantrel")
            set(V_DESCRIPTION "Vantrel: join text files into one")
        elseif(NOT V_DESCRIPTION AND target STREQUAL "vantrel-join")
            set(V_DESCRIPTION "Vantrel: join text files into one, from the command line")
        elseif(NOT V_DESCRIPTION)
            set(V_DESCRIPTION "Vantrel ${target}")
        endif()
        set(VANTREL_RC_MAJOR ${PROJECT_VERSION_MAJOR})
        set(VANTREL_RC_MINOR ${PROJECT_VERSION_MINOR})
        set(VANTREL_RC_PATCH ${PROJECT_VERSION_PATCH})
        set(VANTREL_RC_TWEAK ${_vantrel_tweak})
        set(VANTREL_RC_POPIS "${V_DESCRIPTION}")
        set(VANTREL_RC_COPYRIGHT "${_vantrel_copyright}")
        set(VANTREL_RC_SOUBOR "${target}.exe")
        set(VANTREL_RC_JMENO "${target}")
        set(rc ${CMAKE_BINARY_DIR}/generated/${target}.rc)
        configure_file(${_vantrel_version_rc_in} ${rc} @ONLY)
        target_sources(${target} PRIVATE ${rc})
    endfunction()
    return()
endif()

set(VANTREL_VERSION_RECORD_SOURCE ${CMAKE_BINARY_DIR}/generated/VersionRecord.cpp)
file(CONFIGURE OUTPUT ${VANTREL_VERSION_RECORD_SOURCE} CONTENT [[
#include <cstdint>

struct VantrelVersionRecord {
    char magic[8];
    std::uint16_t cisla[4];
};

extern "C" __attribute__((section(".vantrel_version"), used, aligned(8)))
const VantrelVersionRecord vantrel_version_record = {
    {'V', 'T', 'R', 'L', 'V', 'E', 'R', '\0'},
    {@PROJECT_VERSION_MAJOR@, @PROJECT_VERSION_MINOR@, @PROJECT_VERSION_PATCH@, @_vantrel_tweak@}};
]] @ONLY)

# Adds the version record to an executable target.
# DESCRIPTION (as on Windows) is accepted and has no place in the record.
function(vantrel_version_record target)
    target_sources(${target} PRIVATE ${VANTREL_VERSION_RECORD_SOURCE})
endfunction()
