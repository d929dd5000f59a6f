#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** The desktop's own file dialog as a program to run: kdialog or zenity, chosen as the framework
    chooses them (kdialog in a KDE session or when zenity is missing), found on PATH.

    The command gives the dialog its start folder as an absolute path with no name typed in, so
    the program needs no working directory of the host's. It prints the chosen file's absolute
    path and ends; a cancelled dialog prints nothing.
*/
class DialogProgram
{
public:
    /** The command line for one dialog (flags as juce::FileBrowserComponent's: save or open, and
        whether to ask before replacing a file), or an empty array when PATH has neither program.
    */
    static juce::StringArray command (const juce::String& title, const juce::File& folder,
                                      const juce::String& filePattern, int flags);
};
} // namespace velk
