# Bitmaps drawn from the project's SVG images at build time, for whatever cannot draw SVG itself.

find_program(VANTREL_RSVG_CONVERT rsvg-convert REQUIRED) # Debian: librsvg2-bin

# vantrel_render_svg(VARIABLE SVG file SIZES px... OUTPUT path): a build rule per size that
# renders the SVG file as a square PNG image of that many pixels, into OUTPUT with each "<size>"
# replaced by the size. VARIABLE receives the images' paths, for a target to depend on.
function(vantrel_render_svg promenna)
    cmake_parse_arguments(PARSE_ARGV 1 R "" "SVG;OUTPUT" "SIZES")
    if(NOT R_SVG OR NOT R_OUTPUT OR NOT R_SIZES OR NOT R_OUTPUT MATCHES "<size>")
        message(FATAL_ERROR "vantrel_render_svg needs SVG, SIZES and an OUTPUT naming <size>")
    endif()
    get_filename_component(svg "${R_SVG}" ABSOLUTE)
    set(obrazky)
    foreach(velikost IN LISTS R_SIZES)
        string(REPLACE "<size>" "${velikost}" obrazek "${R_OUTPUT}")
        get_filename_component(slozka "${obrazek}" DIRECTORY)
        add_custom_command(OUTPUT "${obrazek}"
            COMMAND ${CMAKE_COMMAND} -E make_directory "${slozka}"
            COMMAND ${VANTREL_RSVG_CONVERT} --width ${velikost} --height ${velikost} --format png
                --output "${obrazek}" "${svg}"
            DEPENDS "${svg}"
            COMMENT "Rendering ${svg} at ${velikost} px"
            VERBATIM)
        list(APPEND obrazky "${obrazek}")
    endforeach()
    set(${promenna} ${obrazky} PARENT_SCOPE)
endfunction()
