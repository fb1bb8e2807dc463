# The installed files that are generated: they carry the release's version and date, the
# homepage and the licence from one place each.

set(VANTREL_VERZE ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(VANTREL_APPSTREAM_ID com.example.tarsk.vantrel)
set(VANTREL_MAINTAINER "Tarsk <vantrel@tarsk.example.com>")

# The release date: the ISO form goes into the metainfo and the man pages, the RFC 5322 form
# into the Debian changelog.
set(_vantrel_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${VANTREL_DATUM_VYDANI_EPOCHA})
string(TIMESTAMP VANTREL_DATUM_VYDANI "%Y-%m-%d" UTC)
string(TIMESTAMP _vantrel_datum_zmeny "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${_vantrel_epoch}")

# The homepage is the web address that the about dialog shows.
file(STRINGS ${PROJECT_SOURCE_DIR}/support/fOAplikaci.cpp _vantrel_url REGEX "\"https?://[^\"]+\"")
if(NOT _vantrel_url MATCHES "\"(https?://[^\"]+)\"")
    message(FATAL_ERROR "no web address found in support/fOAplikaci.cpp for the package's homepage")
endif()
set(VANTREL_HOMEPAGE ${CMAKE_MATCH_1})

set(_vantrel_doc ${CMAKE_BINARY_DIR}/doc)

set(VANTREL_METAINFO ${_vantrel_doc}/${VANTREL_APPSTREAM_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/resources/com.example.tarsk.vantrel.metainfo.xml.in
    ${VANTREL_METAINFO} @ONLY)

# Machine-readable copyright file, its licence text taken from LICENSE; the format's short name
# for the MIT licence is Expat.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE _vantrel_licence_radky)
list(FILTER _vantrel_licence_radky INCLUDE REGEX "^Copyright ")
string(REGEX REPLACE "^Copyright (\\(c\\) )?" "" _vantrel_drzitel "${_vantrel_licence_radky}")
file(READ ${PROJECT_SOURCE_DIR}/LICENSE _vantrel_licence)
string(REGEX REPLACE "^.*\nCopyright [^\n]*\n+" "" _vantrel_licence "${_vantrel_licence}")
string(STRIP "${_vantrel_licence}" _vantrel_licence)
string(REGEX REPLACE "\n\n" "\n.\n" _vantrel_licence "${_vantrel_licence}")
string(REGEX REPLACE "\n" "\n " _vantrel_licence "${_vantrel_licence}")
set(VANTREL_COPYRIGHT ${_vantrel_doc}/copyright)
file(CONFIGURE OUTPUT ${VANTREL_COPYRIGHT} @ONLY CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Vantrel
Upstream-Contact: @VANTREL_MAINTAINER@
Source: @VANTREL_HOMEPAGE@

Files: *
Copyright: @_vantrel_drzitel@
License: Expat

License: Expat
 @_vantrel_licence@
")

# The package is native (its version has no Debian revision), so its changelog is changelog.gz.
file(CONFIGURE OUTPUT ${_vantrel_doc}/changelog @ONLY CONTENT
"vantrel (@VANTREL_VERZE@) unstable; urgency=medium

  * Release @VANTREL_VERZE@: joins text files in a window and from scripts
    (vantrel-join), with the interface in six languages.

 -- @VANTREL_MAINTAINER@  @_vantrel_datum_zmeny@
")

# Man pages and the changelog are installed compressed, without a time stamp in the gzip header.
set(VANTREL_MAN_PAGES)
set(_vantrel_komprimovane)
foreach(_vantrel_stranka vantrel.1 vantrel-join.1)
    configure_file(${PROJECT_SOURCE_DIR}/doc/${_vantrel_stranka}.in
        ${_vantrel_doc}/${_vantrel_stranka} @ONLY)
    list(APPEND VANTREL_MAN_PAGES ${_vantrel_doc}/${_vantrel_stranka}.gz)
endforeach()
set(VANTREL_CHANGELOG ${_vantrel_doc}/changelog.gz)
foreach(_vantrel_gz IN LISTS VANTREL_MAN_PAGES VANTREL_CHANGELOG)
    string(REGEX REPLACE "\\.gz$" "" _vantrel_zdroj ${_vantrel_gz})
    add_custom_command(OUTPUT ${_vantrel_gz}
        COMMAND gzip -9nkf ${_vantrel_zdroj}
        DEPENDS ${_vantrel_zdroj} VERBATIM)
    list(APPEND _vantrel_komprimovane ${_vantrel_gz})
endforeach()
add_custom_target(vantrel_dokumentace ALL DEPENDS ${_vantrel_komprimovane})

# Menus and panels that draw no SVG take the icon from one of hicolor's bitmap sizes.
set(VANTREL_ICON_SIZES 16 24 32 48 64 128 256)
vantrel_render_svg(_vantrel_ikony SVG ${PROJECT_SOURCE_DIR}/resources/images/vantrel.svg
    SIZES ${VANTREL_ICON_SIZES} OUTPUT ${CMAKE_BINARY_DIR}/icons/<size>x<size>/vantrel.png)
add_custom_target(vantrel_ikony ALL DEPENDS ${_vantrel_ikony})
