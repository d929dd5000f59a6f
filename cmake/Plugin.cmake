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

# clang leaves the sanitizers' runtime out of a shared object: the program that loads the plug-in
# brings it. Their calls stay unresolved until then, which JUCE's --no-undefined would refuse.
# Calls across the binary interface reach functions of another C++ type than the pointer's, which
# clang's function check reports: the host declares the interface apart from the plug-in (our test
# host at global scope, JUCE inside namespace Vst2), and JUCE's wrapper casts its callbacks, which
# take juce::pointer_sized_int (long long), to the interface's types, which take intptr_t (long).
# The same on the machine, so the check is off in the wrapper (Tavelin_VST compiles only that).
if(TAVELIN_SANITIZERS AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_link_options(Tavelin_VST PRIVATE -Wl,-z,undefs)
    target_compile_options(Tavelin_VST PRIVATE -fno-sanitize=function)
endif()

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
