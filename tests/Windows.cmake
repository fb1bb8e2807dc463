# The suites of the Windows builds: the parts without Qt. They are built in both Windows builds
# and registered with CTest where Wine can run them (VANTREL_SPUSTITELNE, cmake/Windows.cmake).

# vantrel_test(NAME SOURCES ... LIBS ... [ENV ...]): as on Linux, without the GUI tests' main.
function(vantrel_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE VANTREL_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
    vantrel_version_record(${name})
    if(VANTREL_SPUSTITELNE)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
            PROPERTIES ENVIRONMENT "${T_ENV}" TIMEOUT 600)
    endif()
endfunction()

foreach(dir platforma textfile lang)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endforeach()
