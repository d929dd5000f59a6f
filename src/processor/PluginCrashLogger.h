#pragma once

#include <juce_core/juce_core.h>

#include <memory>

namespace velk
{
// Internal linkage on purpose: the crash handler and the editor's menu each name the log file
// by their own copies, so neither depends on the other's static initialisation.
const juce::String pluginCrashLoggerSubdirectory{ JucePlugin_Manufacturer };
const juce::String pluginCrashLoggerPluginName{ JucePlugin_Name };
const juce::String pluginCrashLoggerPluginVersionString{ "v " JucePlugin_VersionString };
const juce::String pluginCrashLoggerLogFileName{ pluginCrashLoggerPluginName + "Log.txt" };
const juce::String pluginCrashLoggerWelcomeString{ pluginCrashLoggerSubdirectory + " " + pluginCrashLoggerPluginName };

/** The crash log: ~/.config/Velkora/TavelinLog.txt, kept by the framework's default application
    logger, which trims it to its last 128 KB and writes a start banner whenever it is opened.
*/
class PluginCrashLogger
{
public:
    /** Appends the five summary lines: plug-in and version, host, operating system, CPU count
        and clock, memory.
    */
    static void writeLogSummary (juce::FileLogger* logger);

    /** Opens the crash log (trimming it and appending the start banner). */
    static std::unique_ptr<juce::FileLogger> createLogger();

    /** The crash log file (it need not exist). */
    static juce::File getLogFile();

    /** Appends a banner and the summary to the crash log and returns the log file, for showing
        it to the user.
    */
    static juce::File appendSummaryToLog();
};

/** The function to install with juce::SystemStats::setApplicationCrashHandler (through
    velk::ScopedCrashHandler): appends a banner, the stack backtrace, an empty line and the
    summary to the crash log. The framework's handler then kills the process. The argument is
    ignored.
*/
void pluginCrashHandler (void*);
} // namespace velk
