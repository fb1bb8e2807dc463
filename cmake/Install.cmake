# Installed layout: the programs and the language file share one folder, because the program
# looks for vtrl.xml beside its own executable (found through /proc/self/exe, which resolves the
# symlinks in bin/ that put both programs on the PATH).
#
#   lib/vantrel/{vantrel,vantrel-join,vtrl.xml}
#   bin/{vantrel,vantrel-join} -> ../lib/vantrel/...
#   share/applications/vantrel.desktop
#   share/icons/hicolor/scalable/apps/vantrel.svg
#   share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/vantrel.png
#   share/metainfo/<AppStream id>.metainfo.xml
#   share/man/man1/{vantrel,vantrel-join}.1.gz
#   share/bash-completion/completions/vantrel-join
#   share/doc/vantrel/{copyright,changelog.gz}

include(GNUInstallDirs)

# Private programs, not a library: no multiarch or lib64 folder, the same path under any prefix.
set(VANTREL_INSTALL_PROGDIR lib/vantrel CACHE STRING "Folder of the programs and vtrl.xml")

# Relative links keep the tree movable (DESTDIR, --prefix at install time).
if(IS_ABSOLUTE "${VANTREL_INSTALL_PROGDIR}")
    set(_vantrel_cil "${VANTREL_INSTALL_PROGDIR}")
elseif(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
    set(_vantrel_cil "${CMAKE_INSTALL_PREFIX}/${VANTREL_INSTALL_PROGDIR}")
else()
    file(RELATIVE_PATH _vantrel_cil "/k/${CMAKE_INSTALL_BINDIR}" "/k/${VANTREL_INSTALL_PROGDIR}")
endif()

# The links are made here and installed as links, so that the install manifest lists them and
# removing what it lists leaves nothing behind; whatever lies at a link's place (an older copy of
# the program) is replaced.
set(VANTREL_INSTALLED_PROGRAMS)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/links)
foreach(_vantrel_program vantrel vantrel-join)
    if(NOT TARGET ${_vantrel_program})
        continue()
    endif()
    list(APPEND VANTREL_INSTALLED_PROGRAMS ${_vantrel_program})
    install(TARGETS ${_vantrel_program} RUNTIME DESTINATION ${VANTREL_INSTALL_PROGDIR})
    set(_vantrel_odkaz ${CMAKE_BINARY_DIR}/links/${_vantrel_program})
    file(CREATE_LINK ${_vantrel_cil}/${_vantrel_program} ${_vantrel_odkaz} SYMBOLIC)
    install(FILES ${_vantrel_odkaz} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

include(cmake/PackageFiles.cmake)

install(FILES ${PROJECT_SOURCE_DIR}/resources/vtrl.xml DESTINATION ${VANTREL_INSTALL_PROGDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/vantrel.desktop
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/images/vantrel.svg
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
foreach(_vantrel_velikost IN LISTS VANTREL_ICON_SIZES)
    set(_vantrel_rozmer ${_vantrel_velikost}x${_vantrel_velikost})
    install(FILES ${CMAKE_BINARY_DIR}/icons/${_vantrel_rozmer}/vantrel.png
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${_vantrel_rozmer}/apps)
endforeach()
install(FILES ${VANTREL_METAINFO} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${VANTREL_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/resources/vantrel-join.bash
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions RENAME vantrel-join)
install(FILES ${VANTREL_COPYRIGHT} ${VANTREL_CHANGELOG}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/vantrel)

# What the install and the package hold, and nothing else: `make install` and `make package`
# build this target, and installing does not build the rest (the tests) first.
add_custom_target(vantrel_instalace)
add_dependencies(vantrel_instalace ${VANTREL_INSTALLED_PROGRAMS} vantrel_dokumentace vantrel_ikony)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

include(cmake/Package.cmake)

# The layout test belongs with the rules it checks.
if(BUILD_TESTING OR NOT DEFINED BUILD_TESTING)
    add_subdirectory(${PROJECT_SOURCE_DIR}/tests/install ${CMAKE_BINARY_DIR}/tests/install)
endif()
