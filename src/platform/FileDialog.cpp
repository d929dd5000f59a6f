#include "platform/FileDialog.h"

#include "platform/DialogProgram.h"

namespace velk
{
namespace
{
    constexpr int pollIntervalMs = 100;

    // A killed program ends at once; this only bounds the wait should the system stall it.
    constexpr int reapTimeoutMs = 1000;
} // namespace

FileDialog::FileDialog (const juce::String& title, const juce::File& folder, const juce::String& filePattern,
                        int flags, Action onChosen)
    : startFolder (folder.isDirectory() ? folder : juce::File::getSpecialLocation (juce::File::userHomeDirectory)),
      action (std::move (onChosen))
{
    if (!startProgram (DialogProgram::command (title, startFolder, filePattern, flags)))
        launchFrameworkDialog (title, filePattern, flags);
}

FileDialog::~FileDialog()
{
    // The framework would only kill it, and the host would keep it as a defunct child. The
    // timer runs for as long as the program has not been seen to end.
    if (isTimerRunning())
    {
        program.kill();
        program.waitForProcessToFinish (reapTimeoutMs);
    }
}

//==============================================================================
bool FileDialog::startProgram (const juce::StringArray& command)
{
    if (command.isEmpty() || !program.start (command, juce::ChildProcess::wantStdOut))
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
    // Once this has seen the program end, it has been waited for: its process id is no longer ours.
    if (program.isRunning())
        return;

    stopTimer();

    if (const auto chosen = program.readAllProcessOutput().trim(); chosen.isNotEmpty())
        action (startFolder.getChildFile (chosen));
}
} // namespace velk
