# One test executable per subsystem folder of tests/, each a GoogleTest binary run through CTest.
# Every test process runs with HOME pointed at a fresh temporary folder (tests/support).
enable_testing()

add_library(tavelin_test_support STATIC
    ${CMAKE_SOURCE_DIR}/tests/support/IsolatedHome.cpp)
target_include_directories(tavelin_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)
tavelin_apply_warnings(${CMAKE_SOURCE_DIR}/tests/support/IsolatedHome.cpp)

function(tavelin_add_test_suite folder)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp)
    if(NOT sources)
        return()
    endif()

    set(target ${folder}_tests)
    add_executable(${target} ${sources} ${CMAKE_SOURCE_DIR}/tests/support/JuceTestMain.cpp)
    tavelin_apply_warnings(${sources} ${CMAKE_SOURCE_DIR}/tests/support/JuceTestMain.cpp)
    tavelin_link_plugin_code(${target})
    target_link_libraries(${target} PRIVATE tavelin_test_support GTest::gtest GTest::gmock)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 120 PROPERTIES LABELS ${folder} TIMEOUT 600)
endfunction()

foreach(folder modulation effects parameters processor lookandfeel editor platform robustness realtime)
    tavelin_add_test_suite(${folder})
endforeach()

add_subdirectory(${CMAKE_SOURCE_DIR}/tests/host ${CMAKE_BINARY_DIR}/tests/host)
