# The editor's tests: golden images and the real-window group.

# Golden images are reviewed PNGs in the source tree; a failing comparison leaves the image and
# a diff in the build folder.
set(TAVELIN_EDITOR_GOLDEN_DEFINITIONS
    TAVELIN_EDITOR_GOLDEN_DIR="${CMAKE_SOURCE_DIR}/tests/editor/golden"
    TAVELIN_EDITOR_GOLDEN_FAILURES_DIR="${CMAKE_BINARY_DIR}/editor-golden-failures")
target_compile_definitions(editor_tests PRIVATE ${TAVELIN_EDITOR_GOLDEN_DEFINITIONS})

# The host's windows show the same drawings (tests/host/window).
target_sources(host_window_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/editor/GoldenImage.cpp)
target_compile_definitions(host_window_tests PRIVATE ${TAVELIN_EDITOR_GOLDEN_DEFINITIONS})

# The thread stress and the real-time tests work the window with the same kit.
foreach(suite robustness_tests realtime_tests)
    target_sources(${suite} PRIVATE ${CMAKE_SOURCE_DIR}/tests/editor/EditorFixture.cpp)
endforeach()

# Tests that need real windows and mouse events have their own program (its main installs an X
# error handler before any window opens) and always run on a private Xvfb display: a missing
# display fails them, it never skips them.
find_package(X11 REQUIRED)
file(GLOB TAVELIN_EDITOR_WINDOW_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/editor/window/*.cpp)
add_executable(editor_window_tests ${TAVELIN_EDITOR_WINDOW_SOURCES} ${CMAKE_SOURCE_DIR}/tests/editor/EditorFixture.cpp)
tavelin_apply_warnings(${TAVELIN_EDITOR_WINDOW_SOURCES})
tavelin_link_plugin_code(editor_window_tests)
# The user's clicks and keys come from the X server's XTEST extension, as in the host's window tests.
target_sources(editor_window_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/host/window/UserInput.cpp)
target_include_directories(editor_window_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/host/window)
target_link_libraries(editor_window_tests PRIVATE tavelin_test_support GTest::gtest X11::X11 X11::Xtst)
set_target_properties(editor_window_tests PROPERTIES CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/with-xvfb.sh)
gtest_discover_tests(editor_window_tests DISCOVERY_TIMEOUT 120 PROPERTIES LABELS editor_window TIMEOUT 600)
