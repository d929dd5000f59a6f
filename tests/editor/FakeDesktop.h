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
    on PATH while this lives. Each script writes the arguments it was given, one a line, into
    "<name>.args" beside it, then does its part.
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
        script.replaceWithText ("#!/bin/sh\nprintf '%s\\n' \"$@\" > " + arguments + ".part && mv " + arguments + ".part "
                                    + arguments + "\n" + part + "\n",
                                false, false, "\n");
        script.setExecutePermission (true);
    }

    /** The arguments of the program's run, once it has started; none when it has not. */
    juce::StringArray argumentsOf (const juce::String& name) const
    {
        const auto file = argumentsFile (name);

        if (!waitUntil ([&file]
                        { return file.existsAsFile(); }))
            return {};

        auto lines = juce::StringArray::fromLines (file.loadFileAsString());
        lines.removeEmptyStrings();
        return lines;
    }

private:
    juce::File argumentsFile (const juce::String& name) const { return folder.getChildFile (name + ".args"); }

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
