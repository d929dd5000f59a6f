#pragma once

#include "editor/EditorFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace tavelin::test
{
/** The desktop's programs (dialogs, the folder opener) played by scripts of the test's own, first
    on PATH while this lives. Each script writes what it was started with beside it (its signal
    state, its open descriptors, and last the arguments it was given, one a line, into
    "<name>.args"), then does its part.
*/
class FakeDesktop
{
public:
    FakeDesktop()
    {
        folder.createDirectory();
        setenv ("PATH", (folder.getFullPathName() + ":" + originalPath).toRawUTF8(), 1);
        unsetenv (kdeSession);
    }

    ~FakeDesktop()
    {
        setenv ("PATH", originalPath.toRawUTF8(), 1);

        if (originalKdeSession != nullptr)
            setenv (kdeSession, originalKdeSession->toRawUTF8(), 1);
        else
            unsetenv (kdeSession);

        folder.deleteRecursively();
    }

    /** As in a KDE session, where kdialog comes before zenity. */
    static void startKdeSession() { setenv (kdeSession, "true", 1); }

    /** A program of this name whose part is these shell lines. */
    void install (const juce::String& name, const juce::String& part) const
    {
        const auto arguments = argumentsFile (name).getFullPathName().quoted ('\'');
        const auto script = folder.getChildFile (name);
        // The signal lines are read by the shell itself: it blocks every signal while it starts a command.
        script.replaceWithText ("#!/bin/sh\nwhile read -r line; do case $line in Sig[BI]*) echo \"$line\" ;; esac; done < /proc/$$/status > "
                                    + recordFile (name, "signals").getFullPathName().quoted ('\'')
                                    + "\nls -l /proc/$$/fd > " + recordFile (name, "descriptors").getFullPathName().quoted ('\'')
                                    + "\nprintf '%s\\n' \"$@\" > " + arguments + ".part && mv " + arguments + ".part "
                                    + arguments + "\n" + part + "\n",
                                false, false, "\n");
        script.setExecutePermission (true);
    }

    /** The arguments of the program's run, once it has started; none when it has not. */
    juce::StringArray argumentsOf (const juce::String& name) const
    {
        if (!hasStarted (name))
            return {};

        auto lines = juce::StringArray::fromLines (argumentsFile (name).loadFileAsString());
        lines.removeEmptyStrings();
        return lines;
    }

    /** Its signal state once it has started, as /proc/PID/status gives it: the SigBlk and SigIgn lines. */
    juce::String signalsOf (const juce::String& name) const { return recordOf (name, "signals"); }

    /** What it had open once it has started, as `ls -l /proc/PID/fd` lists it. */
    juce::String descriptorsOf (const juce::String& name) const { return recordOf (name, "descriptors"); }

private:
    juce::File recordFile (const juce::String& name, const juce::String& record) const { return folder.getChildFile (name + "." + record); }
    juce::File argumentsFile (const juce::String& name) const { return recordFile (name, "args"); }

    // The arguments are written last.
    bool hasStarted (const juce::String& name) const
    {
        return waitUntil ([file = argumentsFile (name)]
                          { return file.existsAsFile(); });
    }

    juce::String recordOf (const juce::String& name, const juce::String& record) const
    {
        return hasStarted (name) ? recordFile (name, record).loadFileAsString() : juce::String();
    }

    static constexpr const char* kdeSession = "KDE_FULL_SESSION";
    const juce::String originalPath = juce::SystemStats::getEnvironmentVariable ("PATH", {});
    const std::unique_ptr<juce::String> originalKdeSession = std::getenv (kdeSession) != nullptr ? std::make_unique<juce::String> (std::getenv (kdeSession)) : nullptr;
    const juce::File folder = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("fake-desktop");
};

//==============================================================================
struct ChildProcesses
{
    int running = 0;
    int defunct = 0; // ended, and never waited for
};

/** This process's children as the system lists them. */
inline ChildProcesses childrenOfThisProcess()
{
    ChildProcesses children;
    std::error_code ignored;

    for (const auto& entry : std::filesystem::directory_iterator ("/proc", ignored))
    {
        std::ifstream stat (entry.path() / "stat");
        std::string line;
        std::getline (stat, line);

        // "pid (name) state parent …", where the name may hold spaces and parentheses.
        if (const auto nameEnd = line.rfind (')'); nameEnd != std::string::npos)
        {
            std::istringstream fields (line.substr (nameEnd + 1));
            char state = 0;
            pid_t parent = 0;

            if (fields >> state >> parent && parent == getpid())
                ++(state == 'Z' ? children.defunct : children.running);
        }
    }

    return children;
}
} // namespace tavelin::test
