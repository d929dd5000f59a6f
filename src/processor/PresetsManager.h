#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace velk
{
/** The preset folder, the default preset file, and saving and loading preset files.

    A preset file holds the parameter store's state tree and nothing else (no MIDI map, no preset
    name). All operations are static; the class has no data.
*/
class PresetsManager
{
public:
    /** The name of the preset that is loaded at start-up when it exists. */
    static constexpr const char* defaultPresetName = "User_Default";

    /** The extension of preset files, without the dot. */
    static constexpr const char* presetFileExtension = "vtp";

    /** The full path of the preset folder, without a separator at the end; fixed during static
        initialisation from the user's home folder at that moment.
    */
    static const juce::String presetsFolderPath;

    //==============================================================================
    /** The preset file of the given name directly inside the preset folder (the file need not
        exist). The name's own extension, if any, is replaced by the preset extension.
    */
    static juce::File getPresetFile (const juce::String& presetName);

    /** The "User_Default" preset file inside the preset folder (the file need not exist). */
    static juce::File getDefaultPresetFile();

    //==============================================================================
    /** Writes the tree as a preset file, replacing any file of that name. Pass the processor's
        copyState(), which holds every value as it is now. An existing file survives a failed
        write.
    */
    static juce::Result savePreset (const juce::ValueTree& state, const juce::File& file);

    /** Writes the tree as savePreset() does; a failure says why in plain words, for the user
        (e.g. "its folder is read-only").
    */
    static juce::Result writePreset (const juce::ValueTree& state, const juce::File& file);

    /** Replaces the store's state with the tree read from the file. The root tag is not checked:
        well-formed XML of another kind loads, and every parameter it has no value for takes its
        default. A file that cannot be read or parsed, or is too large to be a preset
        (XmlReader::maxFileSize), changes nothing.
    */
    static juce::Result loadPreset (const juce::File& file, juce::AudioProcessorValueTreeState& state);

    /** The parameter tree of a preset file, as loadPreset() would put it in place; an invalid
        tree when the file does not load.
    */
    static juce::ValueTree readPreset (const juce::File& file);

    /** As readPreset (file), saying why when the file does not load, in plain words for the user. */
    static juce::ValueTree readPreset (const juce::File& file, juce::String& failure);

    /** The value tree made from a restored XML element, every parameter value turned from text
        into the number it reads as (NumberReader). A value that is not a finite number is
        removed, so that the store gives that parameter its default rather than passing NaN or
        infinity to the audio path.
    */
    static juce::ValueTree createParameterTree (const juce::XmlElement& xml);

    /** The failure of a preset file that does not load. */
    static juce::Result invalidPresetFile();
};
} // namespace velk
