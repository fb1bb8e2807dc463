# Every executable carries the project version as a fixed record in its own ELF section, the
# counterpart of a Windows version resource; SoubUtility reads it back from the file on disk.
#
# Section ".vantrel_version", 16 bytes: the magic "VTRLVER" with its zero byte, then major,
# minor, release and build as unsigned 16-bit numbers in the file's byte order.

set(VANTREL_VERSION_RECORD_SOURCE ${CMAKE_BINARY_DIR}/generated/VersionRecord.cpp)
math(EXPR _vantrel_tweak "0${PROJECT_VERSION_TWEAK}")
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
function(vantrel_version_record target)
    target_sources(${target} PRIVATE ${VANTREL_VERSION_RECORD_SOURCE})
endfunction()
