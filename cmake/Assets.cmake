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

# The plug-in is a shared object: the data must be position independent, and its symbols stay
# out of the .so's exports.
set_target_properties(TavelinLookAndFeelAssets PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden)

target_link_libraries(Tavelin PUBLIC TavelinLookAndFeelAssets)
