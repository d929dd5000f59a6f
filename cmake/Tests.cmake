# One test executable per subsystem folder of tests/, each a GoogleTest binary run through CTest.
# Every test process runs with HOME pointed at a fresh temporary folder (tests/support).
enable_testing()

add_library(tavelin_test_support STATIC
    ${CMAKE_SOURCE_DIR}/tests/support/IsolatedHome.cpp)
target_include_directories(tavelin_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)
tavelin_apply_warnings(${CMAKE_SOURCE_DIR}/tests/support/IsolatedHome.cpp)

function(tavelin_add_test_suite folder)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "/tests/editor/window/") # their own program: EditorTests.cmake
    if(NOT sources)
        return()
    endif()

    # The shared test code that needs the plug-in's code, compiled into each executable.
    set(support ${CMAKE_SOURCE_DIR}/tests/support/JuceTestMain.cpp ${CMAKE_SOURCE_DIR}/tests/support/ChildProcess.cpp)
    set(target ${folder}_tests)
    add_executable(${target} ${sources} ${support})
    tavelin_apply_warnings(${sources} ${support})
    tavelin_link_plugin_code(${target})
    target_link_libraries(${target} PRIVATE tavelin_test_support GTest::gtest GTest::gmock)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 120 PROPERTIES LABELS ${folder} TIMEOUT 600)
endfunction()

# Every folder of tests/ but the shared ones is a suite: a new folder needs no line here.
file(GLOB test_folders LIST_DIRECTORIES true RELATIVE ${CMAKE_SOURCE_DIR}/tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*)

foreach(folder ${test_folders})
    if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/tests/${folder} AND NOT folder MATCHES "^(support|host)$")
        tavelin_add_test_suite(${folder})
    endif()
endforeach()

add_subdirectory(${CMAKE_SOURCE_DIR}/tests/host ${CMAKE_BINARY_DIR}/tests/host)
include(${CMAKE_SOURCE_DIR}/cmake/EditorTests.cmake)
