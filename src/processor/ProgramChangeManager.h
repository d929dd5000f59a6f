#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** The presets that MIDI program changes select: the files of the preset folder's "MIDI"
    sub-folder, in natural name order, program number p choosing the p-th (counted from 0).
    All operations are static and share no state.
*/
class ProgramChangeManager
{
public:
    /** The name of the program-change sub-folder inside the preset folder. */
    static constexpr const char* midiPresetsFolderName = "MIDI";

    /** The preset folder's "MIDI" sub-folder (it need not exist). */
    static juce::File getMidiPresetsFolder();

    /** The file names, with extension, of the preset files directly inside the "MIDI" folder
        (files only, hidden ones included, extension in any letter case), in natural order:
        digit runs compare by value and letters without regard to case. Empty when the folder
        is missing or not a folder.
    */
    static juce::StringArray scanMidiPresetsFolder();

    /** The "MIDI" folder's file of the given name list's entry programNumber, or an empty
        juce::File when the list has no such entry.
    */
    static juce::File getPresetFileForMIDIProgramChange (const juce::StringArray& names, int programNumber);
};
} // namespace velk
