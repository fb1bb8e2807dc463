# The Windows packages of the x64 build, built with the programs into the build folder:
#   vantrel-<version>-win64.msi  per-machine installer (wixl, from win32/vantrel.wxs.in)
#   vantrel-<version>-win64.zip  the same files in one folder, to run from anywhere
# Included by win32/CMakeLists.txt, where the program's icon is made.

find_program(VANTREL_WIXL wixl REQUIRED) # Debian: wixl
find_program(VANTREL_ZIP zip REQUIRED)

set(VANTREL_VERZE ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
# The maker as the version resource and the Debian package name it.
set(VANTREL_MSI_VYROBCE Tarsk)
set(VANTREL_MSI_COPYRIGHT "${_vantrel_copyright}")
file(STRINGS ${PROJECT_SOURCE_DIR}/support/fOAplikaci.cpp _vantrel_url REGEX "\"https?://[^\"]+\"")
if(NOT _vantrel_url MATCHES "\"(https?://[^\"]+)\"")
    message(FATAL_ERROR "no web address found in support/fOAplikaci.cpp for the installer")
endif()
set(VANTREL_MSI_DOMOVSKA ${CMAKE_MATCH_1})
set(VANTREL_MSI_KLIC_NASTAVENI "Software\\Tarsk\\Vantrel")
set(VANTREL_MSI_KLIC_INSTALACE "Software\\Tarsk\\Vantrel Installer")

# Each version its own product code, the same for every build of it: a fixed namespace and the
# version give it.
string(UUID VANTREL_MSI_KOD_PRODUKTU NAMESPACE 764F3DA4-8536-4443-961F-1C7EA86441E2
    NAME ${VANTREL_VERZE} TYPE SHA1 UPPER)

set(_vantrel_baliky ${CMAKE_BINARY_DIR}/baliky)
set(VANTREL_BALIK_SLOZKA ${_vantrel_baliky}/vantrel-${VANTREL_VERZE}-win64)
set(VANTREL_MSI ${CMAKE_BINARY_DIR}/vantrel-${VANTREL_VERZE}-win64.msi)
set(VANTREL_ZIP_BALIK ${CMAKE_BINARY_DIR}/vantrel-${VANTREL_VERZE}-win64.zip)

# Texts for Windows' own editors: CR LF.
set(_vantrel_texty ${_vantrel_baliky}/texty)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${_vantrel_texty}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/win32/README.txt.in ${_vantrel_texty}/README.txt
    @ONLY NEWLINE_STYLE CRLF)

# wixl takes only paths relative to the description's folder.
set(VANTREL_MSI_PROGRAMY vantrel-${VANTREL_VERZE}-win64)
set(VANTREL_MSI_LICENCE ${VANTREL_MSI_PROGRAMY}/LICENSE.txt)
file(RELATIVE_PATH VANTREL_MSI_IKONA ${_vantrel_baliky} ${vantrel_slozka_ikon}/vantrel.ico)
set(_vantrel_wxs ${_vantrel_baliky}/vantrel.wxs)
configure_file(${PROJECT_SOURCE_DIR}/win32/vantrel.wxs.in ${_vantrel_wxs} @ONLY)

add_custom_command(OUTPUT ${VANTREL_MSI} ${VANTREL_ZIP_BALIK}
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/windows-package.sh ${CMAKE_STRIP}
        ${VANTREL_SOURCE_DATE_EPOCH} ${_vantrel_wxs} ${VANTREL_MSI_KOD_PRODUKTU} ${VANTREL_VERZE}
        ${VANTREL_MSI} ${VANTREL_ZIP_BALIK} ${VANTREL_BALIK_SLOZKA}
        $<TARGET_FILE:vantrel> $<TARGET_FILE:vantrel-join> ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/vtrl.xml
        ${_vantrel_texty}/LICENSE.txt ${_vantrel_texty}/README.txt
    DEPENDS vantrel vantrel-join ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/vtrl.xml
        ${_vantrel_texty}/LICENSE.txt ${_vantrel_texty}/README.txt ${_vantrel_wxs}
        ${vantrel_slozka_ikon}/vantrel.ico ${PROJECT_SOURCE_DIR}/scripts/windows-package.sh
    COMMENT "Making the Windows installer and the portable zip"
    VERBATIM)
# What the test of the packages (tests/win32) needs to know.
foreach(_vantrel_promenna VANTREL_VERZE VANTREL_MSI VANTREL_ZIP_BALIK VANTREL_BALIK_SLOZKA
        VANTREL_MSI_KOD_PRODUKTU)
    set(${_vantrel_promenna} ${${_vantrel_promenna}} PARENT_SCOPE)
endforeach()
set(VANTREL_MSI_WXS ${_vantrel_wxs} PARENT_SCOPE)
set(VANTREL_MSI_IKONA_SOUBOR ${vantrel_slozka_ikon}/vantrel.ico PARENT_SCOPE)

# Part of the build: `make windows` and `make test` make both, `make windows-package` only these.
add_custom_target(vantrel_windows_baliky ALL DEPENDS ${VANTREL_MSI} ${VANTREL_ZIP_BALIK})
