# Small helpers shared by the subsystem folders.

# A static library from the given sources; an INTERFACE library while a folder has no .cpp yet.
function(dimmetric_library_from name)
    set(cpp ${ARGN})
    list(FILTER cpp INCLUDE REGEX "\\.cpp$")
    if(cpp)
        add_library(${name} STATIC ${ARGN})
        target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    endif()
endfunction()

# Links a library made by the helper above, whichever kind it is.
function(dimmetric_link name)
    get_target_property(type ${name} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_link_libraries(${name} INTERFACE ${ARGN})
    else()
        target_link_libraries(${name} PUBLIC ${ARGN})
    endif()
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
