# The plug-in: JUCE's VST2 wrapper over the FST headers. juce_add_plugin makes the static
# library Tavelin (JUCE and all of our code, compiled once), linked by the .so and by the tests.
juce_set_vst2_sdk_path(${CMAKE_SOURCE_DIR}/third_party/vst2)

juce_add_plugin(Tavelin
    COMPANY_NAME Velkora
    PRODUCT_NAME Tavelin
    PLUGIN_NAME Tavelin
    VERSION ${PROJECT_VERSION}
    PLUGIN_MANUFACTURER_CODE Velk
    PLUGIN_CODE vkTv
    FORMATS VST
    IS_SYNTH FALSE
    NEEDS_MIDI_INPUT TRUE
    NEEDS_MIDI_OUTPUT FALSE
    IS_MIDI_EFFECT FALSE
    VST2_CATEGORY kPlugCategEffect
    EDITOR_WANTS_KEYBOARD_FOCUS FALSE
    COPY_PLUGIN_AFTER_BUILD FALSE)

set_target_properties(Tavelin_VST PROPERTIES PREFIX "")

file(GLOB_RECURSE TAVELIN_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
target_sources(Tavelin PRIVATE ${TAVELIN_SOURCES})
tavelin_apply_warnings(${TAVELIN_SOURCES})

target_include_directories(Tavelin PUBLIC ${CMAKE_SOURCE_DIR}/src)

target_compile_definitions(Tavelin
    PUBLIC
        JUCE_WEB_BROWSER=0
        JUCE_USE_CURL=0
        JUCE_USE_FLAC=0
        JUCE_USE_OGGVORBIS=0
        JUCE_DISPLAY_SPLASH_SCREEN=0
        JUCE_VST3_CAN_REPLACE_VST2=0
        "JucePlugin_PreferredChannelConfigurations={2,2}")

target_link_libraries(Tavelin
    PRIVATE
        juce::juce_audio_processors
    PUBLIC
        juce::juce_recommended_config_flags)

# Tests, benchmarks and tools link the same compiled plug-in code and see its configuration.
function(tavelin_link_plugin_code target)
    target_link_libraries(${target} PRIVATE Tavelin)
    target_include_directories(${target} PRIVATE
        $<TARGET_PROPERTY:juce::juce_core,INTERFACE_INCLUDE_DIRECTORIES>)
    target_compile_definitions(${target} PRIVATE
        $<TARGET_PROPERTY:juce::juce_core,INTERFACE_COMPILE_DEFINITIONS>)
    target_compile_features(${target} PRIVATE cxx_std_17)
endfunction()
