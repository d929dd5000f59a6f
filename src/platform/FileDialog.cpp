#include "platform/FileDialog.h"

#include "platform/DialogProgram.h"

namespace velk
{
namespace
{
    constexpr int pollIntervalMs = 100;
} // namespace

FileDialog::FileDialog (const juce::String& title, const juce::File& folder, const juce::String& filePattern,
                        int flags, Action onChosen)
    : startFolder (folder.isDirectory() ? folder : juce::File::getSpecialLocation (juce::File::userHomeDirectory)),
      action (std::move (onChosen))
{
    if (!startProgram (DialogProgram::command (title, startFolder, filePattern, flags)))
        launchFrameworkDialog (title, filePattern, flags);
}

//==============================================================================
bool FileDialog::startProgram (const juce::StringArray& command)
{
    if (command.isEmpty() || !program.start (command, ChildProgram::Output::captured))
        return false;

    startTimer (pollIntervalMs);
    return true;
}

void FileDialog::launchFrameworkDialog (const juce::String& title, const juce::String& filePattern, int flags)
{
    frameworkDialog = std::make_unique<juce::FileChooser> (title, startFolder, filePattern, false);
    frameworkDialog->launchAsync (flags, [this] (const juce::FileChooser& chooser)
                                  {
                                      if (const auto chosen = chooser.getResult(); chosen != juce::File())
                                          action (chosen); });
}

void FileDialog::timerCallback()
{
    if (!program.hasEnded())
        return;

    stopTimer();

    if (const auto chosen = program.readOutput().trim(); chosen.isNotEmpty())
        action (startFolder.getChildFile (chosen));
}
} // namespace velk
