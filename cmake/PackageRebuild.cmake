# Run by cpack after it has made the Debian package (CPACK_POST_BUILD_SCRIPTS).
#
# CPack 3.25 dates every file and archive member with the time of packaging, and its
# Installed-Size counts each folder's size on disk and both command links as the programs they
# lead to. The package is made again by dpkg-deb from its own contents: every date is
# CPACK_VANTREL_SOURCE_DATE_EPOCH, and Installed-Size is counted as dpkg-gencontrol counts it.

cmake_policy(PUSH)
cmake_policy(VERSION 3.25)
find_program(DPKG_DEB dpkg-deb REQUIRED)
set(ENV{SOURCE_DATE_EPOCH} ${CPACK_VANTREL_SOURCE_DATE_EPOCH})

foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    if(NOT deb MATCHES "[.]deb$")
        continue()
    endif()
    set(strom "${deb}.d")
    file(REMOVE_RECURSE "${strom}")
    execute_process(COMMAND ${DPKG_DEB} --raw-extract "${deb}" "${strom}"
        COMMAND_ERROR_IS_FATAL ANY)

    # Each file and link in KiB rounded up, each folder (the root too) 1 KiB.
    file(GLOB_RECURSE polozky LIST_DIRECTORIES true "${strom}/*")
    set(kib 1)
    foreach(polozka IN LISTS polozky)
        string(FIND "${polozka}" "${strom}/DEBIAN" kontrolni)
        if(kontrolni EQUAL 0)
            continue()
        elseif(IS_SYMLINK "${polozka}")
            file(READ_SYMLINK "${polozka}" cil)
            string(LENGTH "${cil}" bajty)
        elseif(IS_DIRECTORY "${polozka}")
            set(bajty 1)
        else()
            file(SIZE "${polozka}" bajty)
        endif()
        math(EXPR kib "${kib} + (${bajty} + 1023) / 1024")
    endforeach()
    file(READ "${strom}/DEBIAN/control" control)
    if(NOT control MATCHES "\nInstalled-Size: [0-9]*\n")
        message(FATAL_ERROR "${strom}/DEBIAN/control has no Installed-Size")
    endif()
    string(REGEX REPLACE "\nInstalled-Size: [0-9]*\n" "\nInstalled-Size: ${kib}\n"
        control "${control}")
    file(WRITE "${strom}/DEBIAN/control" "${control}")

    execute_process(COMMAND find "${strom}" -exec touch --no-dereference
        --date=@${CPACK_VANTREL_SOURCE_DATE_EPOCH} {} + COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${DPKG_DEB} --root-owner-group -Zgzip --build "${strom}" "${deb}"
        OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${strom}")
endforeach()
cmake_policy(POP)
