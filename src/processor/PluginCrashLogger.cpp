#include "processor/PluginCrashLogger.h"

#include "platform/UserFileLocations.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

namespace velk
{
void PluginCrashLogger::writeLogSummary (juce::FileLogger* logger)
{
    jassert (logger != nullptr);

    if (logger == nullptr)
        return;

    logger->logMessage (pluginCrashLoggerPluginName + " " + pluginCrashLoggerPluginVersionString);
    logger->logMessage (juce::PluginHostType().getHostDescription());
    logger->logMessage (juce::SystemStats::getOperatingSystemName());
    logger->logMessage ("CPU : " + juce::String (juce::SystemStats::getNumCpus()) + " x "
                        + juce::String (juce::SystemStats::getCpuSpeedInMegahertz()) + " MHz");
    logger->logMessage ("Memory : " + juce::String (juce::SystemStats::getMemorySizeInMegabytes()) + " MB");
}

std::unique_ptr<juce::FileLogger> PluginCrashLogger::createLogger()
{
    return std::unique_ptr<juce::FileLogger> (juce::FileLogger::createDefaultAppLogger (pluginCrashLoggerSubdirectory,
                                                                                        pluginCrashLoggerLogFileName,
                                                                                        pluginCrashLoggerWelcomeString));
}

juce::File PluginCrashLogger::getLogFile()
{
    return UserFileLocations::getLogFolder().getChildFile (pluginCrashLoggerSubdirectory).getChildFile (pluginCrashLoggerLogFileName);
}

juce::File PluginCrashLogger::appendSummaryToLog()
{
    const auto logger = createLogger();
    writeLogSummary (logger.get());
    return logger->getLogFile();
}

//==============================================================================
void pluginCrashHandler (void*)
{
    // A second fatal signal while the record is being written (a fault inside this handler, or
    // another thread crashing) returns at once and lets the framework end the process.
    static std::atomic_flag writingRecord = ATOMIC_FLAG_INIT;

    if (writingRecord.test_and_set())
        return;

    const auto logger = PluginCrashLogger::createLogger();
    logger->logMessage (juce::SystemStats::getStackBacktrace());
    PluginCrashLogger::writeLogSummary (logger.get());
}
} // namespace velk
