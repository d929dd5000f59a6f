#include "platform/DialogProgram.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <unistd.h>

namespace velk
{
namespace
{
    bool isOnPath (const juce::String& program)
    {
        for (const auto& folder : juce::StringArray::fromTokens (juce::SystemStats::getEnvironmentVariable ("PATH", {}), ":", {}))
            if (juce::File::isAbsolutePath (folder)
                && access (juce::File (folder).getChildFile (program).getFullPathName().toRawUTF8(), X_OK) == 0)
                return true;

        return false;
    }

    bool isKdeSession()
    {
        return juce::SystemStats::getEnvironmentVariable ("KDE_FULL_SESSION", {}).equalsIgnoreCase ("true");
    }

    bool isSet (int flags, int flag)
    {
        return (flags & flag) != 0;
    }

    juce::StringArray kdialogCommand (const juce::String& title, const juce::File& folder, const juce::String& filePattern, int flags)
    {
        const auto save = isSet (flags, juce::FileBrowserComponent::saveMode);
        return { "kdialog", "--title=" + title, save ? "--getsavefilename" : "--getopenfilename",
                 folder.getFullPathName(), "(" + filePattern + ")" };
    }

    juce::StringArray zenityCommand (const juce::String& title, const juce::File& folder, const juce::String& filePattern, int flags)
    {
        juce::StringArray command{ "zenity", "--file-selection", "--title=" + title };

        if (isSet (flags, juce::FileBrowserComponent::saveMode))
            command.add ("--save");

        if (isSet (flags, juce::FileBrowserComponent::warnAboutOverwriting))
            command.add ("--confirm-overwrite");

        command.add ("--file-filter=" + filePattern);

        // An absolute folder ending in a separator: zenity opens there with the name left empty.
        command.add ("--filename=" + folder.getFullPathName() + juce::File::getSeparatorString());
        return command;
    }
} // namespace

juce::StringArray DialogProgram::command (const juce::String& title, const juce::File& folder,
                                          const juce::String& filePattern, int flags)
{
    if (isOnPath ("kdialog") && (isKdeSession() || !isOnPath ("zenity")))
        return kdialogCommand (title, folder, filePattern, flags);

    if (isOnPath ("zenity"))
        return zenityCommand (title, folder, filePattern, flags);

    return {};
}
} // namespace velk
