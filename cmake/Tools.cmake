# Developer tools that are not part of the plug-in.

# look_sheet renders every control of the look and feel, in every state, into a PNG for review:
#   cmake --build build/dev --target look_sheet && build/dev/look_sheet look.png
file(GLOB TAVELIN_LOOK_SHEET_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/lookandfeel/*.cpp)
add_executable(look_sheet EXCLUDE_FROM_ALL ${TAVELIN_LOOK_SHEET_SOURCES})
tavelin_apply_warnings(${TAVELIN_LOOK_SHEET_SOURCES})
tavelin_link_plugin_code(look_sheet)

# editor_screenshots draws the editor at the UI scales 1.0 and 1.5 into PNGs for review:
#   cmake --build build/test --target editor_screenshots && build/test/editor_screenshots
# (into build/test/editor-screenshots/, or the folder given as argument). It runs the plug-in
# under a temporary HOME, as the tests do.
add_executable(editor_screenshots ${CMAKE_SOURCE_DIR}/tools/editor-screenshots/EditorScreenshots.cpp)
tavelin_apply_warnings(${CMAKE_SOURCE_DIR}/tools/editor-screenshots/EditorScreenshots.cpp)
tavelin_link_plugin_code(editor_screenshots)
target_link_libraries(editor_screenshots PRIVATE tavelin_test_support)
target_compile_definitions(editor_screenshots PRIVATE TAVELIN_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/editor-screenshots")
