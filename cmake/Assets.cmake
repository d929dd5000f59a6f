# Embedded assets of the look and feel: the typeface and the two knob images, compiled into the
# plug-in as byte arrays (namespace LookAndFeelAssets, header "LookAndFeelAssets.h").
#
# The typeface is Roboto Medium (Apache License 2.0), taken from Debian's fonts-roboto-unhinted
# at build time rather than kept in the repository.
find_file(TAVELIN_ROBOTO_MEDIUM_TTF Roboto-Medium.ttf
    PATHS /usr/share/fonts/truetype/roboto/unhinted/RobotoTTF
          /usr/share/fonts/truetype/roboto/unhinted
    NO_DEFAULT_PATH)

if(NOT TAVELIN_ROBOTO_MEDIUM_TTF OR NOT EXISTS "${TAVELIN_ROBOTO_MEDIUM_TTF}")
    message(FATAL_ERROR
        "The embedded typeface Roboto-Medium.ttf was not found "
        "(TAVELIN_ROBOTO_MEDIUM_TTF = '${TAVELIN_ROBOTO_MEDIUM_TTF}'). "
        "Install the Debian package fonts-roboto-unhinted (scripts/setup.sh does), "
        "or pass -DTAVELIN_ROBOTO_MEDIUM_TTF=<path to Roboto-Medium.ttf>.")
endif()

juce_add_binary_data(TavelinLookAndFeelAssets
    HEADER_NAME LookAndFeelAssets.h
    NAMESPACE LookAndFeelAssets
    SOURCES
        ${TAVELIN_ROBOTO_MEDIUM_TTF}
        ${CMAKE_SOURCE_DIR}/assets/knob_back.svg
        ${CMAKE_SOURCE_DIR}/assets/knob_front.svg)

# The editor's artwork: icons, the filter and wave pictures, the logos (namespace EditorAssets,
# header "EditorAssets.h"). All plain SVG paths, so the scaled window stays sharp.
juce_add_binary_data(TavelinEditorAssets
    HEADER_NAME EditorAssets.h
    NAMESPACE EditorAssets
    SOURCES
        ${CMAKE_SOURCE_DIR}/assets/editor/power_on.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/power_off.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/parallel.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/serial.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/chain_to_filter_on.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/chain_to_filter_off.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/filter_lpf.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/filter_hpf.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/filter_bpf.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/filter_notch.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/lfo_sine.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/lfo_square.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/lfo_saw_up.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/lfo_saw_down.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/lfo_triangle.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/lfo_random.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/lfo_smooth_random.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/cog.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/matrix_off.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/matrix_on.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/emblem.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/logotype.svg
        ${CMAKE_SOURCE_DIR}/assets/editor/maker_logotype.svg)

# JUCE 7.0.5 regenerates a binary-data target only when its list of files changes, not when one
# of the files does: make the generated code depend on the files too, so an edited image is built.
function(tavelin_regenerate_when_files_change assets)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/juce_binarydata_${assets}/JuceLibraryCode)
    file(STRINGS ${folder}/input_file_list inputs)
    add_custom_command(OUTPUT ${folder}/BinaryData1.cpp APPEND DEPENDS ${inputs})
endfunction()

tavelin_regenerate_when_files_change(TavelinLookAndFeelAssets)
tavelin_regenerate_when_files_change(TavelinEditorAssets)

# The plug-in is a shared object: the data must be position independent, and its symbols stay
# out of the .so's exports.
set_target_properties(TavelinLookAndFeelAssets TavelinEditorAssets PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden)

target_link_libraries(Tavelin PUBLIC TavelinLookAndFeelAssets TavelinEditorAssets)
