# Developer tools that are not part of the plug-in.

# look_sheet renders every control of the look and feel, in every state, into a PNG for review:
#   cmake --build build/dev --target look_sheet && build/dev/look_sheet look.png
file(GLOB TAVELIN_LOOK_SHEET_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/lookandfeel/*.cpp)
add_executable(look_sheet EXCLUDE_FROM_ALL ${TAVELIN_LOOK_SHEET_SOURCES})
tavelin_apply_warnings(${TAVELIN_LOOK_SHEET_SOURCES})
tavelin_link_plugin_code(look_sheet)
