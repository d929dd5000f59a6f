#pragma once

#include "platform/ScopedCrashHandler.h"

#include <juce_core/juce_core.h>

#include <array>
#include <cstdint>
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

/** The crash log: ~/.config/Velkora/TavelinLog.txt, trimmed to its last 128 KB whenever it is
    opened, as the framework's default application logger does. Every entry starts with a banner
    and ends with the five summary lines; a crash entry has the stack backtrace and an empty line
    between them.
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

    //==============================================================================
    /** Makes ready all that a crash entry needs, so that writing it takes no allocation, lock or
        framework call: trims the log, opens its folder, formats the banner and the summary (the
        summary describes the machine as it is now) and loads the backtrace machinery.
    */
    static void prepareCrashRecord();

    /** Appends a crash entry, from inside a signal handler. The log file is opened here, by
        name, so that an entry follows the file if it has been trimmed or removed meanwhile.
    */
    static void writeCrashRecord() noexcept;

    /** Closes what prepareCrashRecord opened. */
    static void releaseCrashRecord();

    /** The banner's time, as the framework writes it ("7 Dec 2026 3:04:05pm"), from seconds
        since 1970 in local time, formatted without allocation. Returns the length.
    */
    static size_t formatLogTime (std::int64_t localSeconds, std::array<char, 32>& text) noexcept;
};

/** The plug-in's crash handler, as velk::ScopedCrashHandler runs it: for a fault in our own code
    it appends a banner, the stack backtrace, an empty line and the summary to the crash log.
*/
inline constexpr ScopedCrashHandler::Recorder pluginCrashHandler{ PluginCrashLogger::prepareCrashRecord,
                                                                  PluginCrashLogger::writeCrashRecord,
                                                                  PluginCrashLogger::releaseCrashRecord };
} // namespace velk
