# The suites of the Windows builds: the parts without Qt. They are built in both Windows builds
# and registered with CTest where Wine can run them (VANTREL_SPUSTITELNE, cmake/Windows.cmake).

# vantrel_test(NAME SOURCES ... LIBS ... [KONVENCE] [OKNA] [ENV ...]): as on Linux, without the
# GUI tests' main. KONVENCE tests change the user's settings for numbers and times, which every
# process of the Wine prefix shares: one runs at a time (every run has the same locale,
# scripts/wine-test.sh, else Wine would rewrite the settings at a start in another). OKNA tests open windows, so
# each runs on an X server of its own (scripts/wine-gui-test.sh), in the Wine prefix of such
# tests, one of them at a time.
function(vantrel_test name)
    cmake_parse_arguments(T "KONVENCE;OKNA" "" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE VANTREL_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
    vantrel_version_record(${name})
    # An empty value would be lost on the way to the tests, and the names and values after it
    # paired wrongly: only what is set is passed.
    set(vlastnosti TIMEOUT 600)
    set(env ${T_ENV})
    if(T_KONVENCE)
        list(APPEND vlastnosti RESOURCE_LOCK uzivatelske-konvence)
    endif()
    if(env)
        list(APPEND vlastnosti ENVIRONMENT "${env}")
    endif()
    if(VANTREL_SPUSTITELNE)
        if(T_OKNA)
            set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
                "${PROJECT_SOURCE_DIR}/scripts/wine-gui-test.sh;${CMAKE_BINARY_DIR}/wine-okna;${VANTREL_WINE64}")
            list(APPEND vlastnosti RESOURCE_LOCK wine-okna)
        endif()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
            PROPERTIES ${vlastnosti})
    endif()
endfunction()

foreach(dir platforma textfile support lang pravidla cli win32)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endforeach()
