#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** The order in which the previous and next buttons try preset files. Presets are the files
    with the preset extension, in any letter case, directly in one folder, in natural order of
    their names: runs of digits compare by value and letters without regard to case. The
    directory's own order plays no part, so every step is the same on every system.
*/
struct PresetStepper
{
    /** The preset files directly in the folder (hidden ones too), in natural order. The files
        themselves, as listed: a name with the extension in capitals stays so.
    */
    static juce::Array<juce::File> listPresetFiles (const juce::File& folder);

    /** The files to try for one step (direction -1 previous, +1 next), nearest first: every
        other preset of the current file's folder once, going round from the current preset,
        which is the first of them whose name is currentName. When the current file is gone,
        or no preset there has that name, the step starts at the first preset in natural order
        (of the preset folder itself when the file is gone) and goes on in the step's direction.
    */
    static juce::Array<juce::File> filesToTry (const juce::File& currentFile, const juce::String& currentName, int direction);
};
} // namespace velk
