# The same source gives the same bytes, in any build folder and at any time.
#
# VANTREL_SOURCE_DATE_EPOCH stands for "now" wherever a file would record a time (the resources'
# file times, the dates of the package's files): SOURCE_DATE_EPOCH when set, else the time of the
# last commit, else the release date.

set(VANTREL_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(NOT VANTREL_SOURCE_DATE_EPOCH STREQUAL "")
    if(NOT VANTREL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
        message(FATAL_ERROR
            "SOURCE_DATE_EPOCH is '${VANTREL_SOURCE_DATE_EPOCH}', not seconds since 1970")
    endif()
else()
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
            OUTPUT_VARIABLE VANTREL_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        # A commit or a checkout writes the reflog; configuring again then takes the new date.
        execute_process(
            COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} rev-parse --path-format=absolute
                --git-path logs/HEAD
            OUTPUT_VARIABLE _vantrel_reflog OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        if(_vantrel_reflog AND EXISTS "${_vantrel_reflog}")
            set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_vantrel_reflog}")
        endif()
    endif()
    if(NOT VANTREL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
        set(VANTREL_SOURCE_DATE_EPOCH ${VANTREL_DATUM_VYDANI_EPOCHA})
        message(STATUS "No SOURCE_DATE_EPOCH and no git commit: files are dated the release date")
    endif()
endif()

# No path of the source or the build folder reaches an object file (debug information, the file
# names of assertions); the build id, a hash over the linked file, then depends on neither.
# The later map wins where both match, so the build folder may lie inside the source.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
    -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
