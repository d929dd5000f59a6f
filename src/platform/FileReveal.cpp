#include "platform/FileReveal.h"

#include "platform/DetachedProgram.h"

#include <utility>

namespace velk
{
namespace
{
    FileReveal::Handler& replacement()
    {
        static FileReveal::Handler handler;
        return handler;
    }

    // The framework's choice of programs, in its order: the desktop's opener, then the web
    // browsers it falls back on. The folder is the shell's argument, never part of its command.
    juce::String openFolderCommand()
    {
        juce::StringArray commands;

        for (const auto* program : { "xdg-open", "/etc/alternatives/x-www-browser", "firefox", "mozilla",
                                     "google-chrome", "chromium-browser", "opera", "konqueror" })
            commands.add (juce::String (program) + " \"$1\"");

        return commands.joinIntoString (" || ");
    }

    void openFolder (const juce::File& folder)
    {
        DetachedProgram::start ({ "/bin/sh", "-c", openFolderCommand(), "sh", folder.getFullPathName() });
    }
} // namespace

void FileReveal::reveal (const juce::File& target)
{
    if (const auto& handler = replacement())
        handler (target);
    else if (target.isDirectory())
        openFolder (target);
    else if (target.getParentDirectory().isDirectory())
        openFolder (target.getParentDirectory());
}

FileReveal::ScopedHandler::ScopedHandler (Handler handler)
    : previous (std::exchange (replacement(), std::move (handler)))
{
}

FileReveal::ScopedHandler::~ScopedHandler()
{
    replacement() = std::move (previous);
}
} // namespace velk
