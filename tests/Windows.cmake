# The suites of the Windows builds: the parts without Qt. They are built in both Windows builds
# and registered with CTest where Wine can run them (VANTREL_SPUSTITELNE, cmake/Windows.cmake).

# vantrel_test(NAME SOURCES ... LIBS ... [KONVENCE] [ENV ...]): as on Linux, without the GUI
# tests' main. KONVENCE tests change the user's settings for numbers and times, which every
# process of the Wine prefix shares: one runs at a time, in the locale the other suites run in
# (Wine rewrites the settings when a process starts in another).
function(vantrel_test name)
    cmake_parse_arguments(T "KONVENCE" "" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE VANTREL_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
    vantrel_version_record(${name})
    set(env ${T_ENV})
    set(zamek)
    if(T_KONVENCE)
        list(APPEND env LC_ALL=C.UTF-8)
        set(zamek RESOURCE_LOCK uzivatelske-konvence)
    endif()
    if(VANTREL_SPUSTITELNE)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
            PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600 ${zamek})
    endif()
endfunction()

foreach(dir platforma textfile support lang pravidla cli)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endforeach()
