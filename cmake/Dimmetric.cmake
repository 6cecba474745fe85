# Small helpers shared by the subsystem folders.

# A static library from the given sources, its headers included from src/.
function(dimmetric_library_from name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
endfunction()

# Every *_test.cpp in a folder becomes one GoogleTest executable linked with the given libraries
# and the shared test support code.
function(dimmetric_tests dir)
    file(GLOB tests CONFIGURE_DEPENDS ${dir}/*_test.cpp)
    foreach(test ${tests})
        get_filename_component(name ${test} NAME_WE)
        add_executable(${name} ${test})
        target_link_libraries(${name} PRIVATE ${ARGN} dimmetric_test_support GTest::gtest GTest::gmock GTest::gtest_main)
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
            PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
    endforeach()
endfunction()

# One libFuzzer target from a source file.
function(dimmetric_fuzzer source)
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE ${ARGN})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()
