#include "processor/PluginCrashLogger.h"

#include "platform/UserFileLocations.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <link.h>
#include <unistd.h>

namespace velk
{
namespace
{
    // The framework's default application logger keeps this much of an old log when it opens it.
    constexpr juce::int64 maxLogSizeBytes = 128 * 1024;
    constexpr int maxBacktraceFrames = 128;
    constexpr char lineBreak[] = "\r\n";

    juce::StringArray getSummaryLines()
    {
        return { pluginCrashLoggerPluginName + " " + pluginCrashLoggerPluginVersionString,
                 juce::PluginHostType().getHostDescription(),
                 juce::SystemStats::getOperatingSystemName(),
                 "CPU : " + juce::String (juce::SystemStats::getNumCpus()) + " x "
                     + juce::String (juce::SystemStats::getCpuSpeedInMegahertz()) + " MHz",
                 "Memory : " + juce::String (juce::SystemStats::getMemorySizeInMegabytes()) + " MB" };
    }

    /** Text formatted ahead, held where a signal handler can read it without allocation. */
    struct PreparedText
    {
        std::array<char, 4096> bytes{};
        size_t size = 0;

        void assign (const juce::String& text)
        {
            size = std::min (text.getNumBytesAsUTF8(), bytes.size() - 1);
            std::copy_n (text.toRawUTF8(), size, bytes.begin());
            bytes[size] = 0;
        }
    };

    struct CrashRecord
    {
        int folder = -1;
        PreparedText fileName, bannerStart, summary;
        long utcOffsetSeconds = 0;

        // Only one crash entry is ever written, so these need not live on the signal stack.
        std::array<void*, maxBacktraceFrames> frames{};
    };

    CrashRecord record;

    //==============================================================================
    void writeAll (int file, const char* data, size_t size) noexcept
    {
        while (size > 0)
        {
            const auto written = write (file, data, size);

            if (written < 0 && errno == EINTR)
                continue;

            if (written <= 0)
                return;

            data += written;
            size -= (size_t) written;
        }
    }

    void writeAll (int file, const PreparedText& text) noexcept
    {
        writeAll (file, text.bytes.data(), text.size);
    }

    void writeText (int file, const char* text) noexcept
    {
        writeAll (file, text, std::strlen (text));
    }

    void writeBannerTime (int file) noexcept
    {
        timespec now{};
        clock_gettime (CLOCK_REALTIME, &now);
        std::array<char, 32> time{};
        writeAll (file, time.data(), PluginCrashLogger::formatLogTime (now.tv_sec + record.utcOffsetSeconds, time));
        writeText (file, lineBreak);
        writeText (file, lineBreak);
    }

    // As the C library prints with "%#tx": lower-case digits, "0x" before all but zero.
    void writeHex (int file, std::uintptr_t value) noexcept
    {
        std::array<char, 2 + 2 * sizeof (value)> text{};
        auto start = text.size();

        for (; value > 0 || start == text.size(); value >>= 4)
            text[--start] = "0123456789abcdef"[value & 15];

        if (text[start] != '0')
        {
            text[--start] = 'x';
            text[--start] = '0';
        }

        writeAll (file, text.data() + start, text.size() - start);
    }

    // One frame as the system's symbolised backtrace (backtrace_symbols) gives it,
    // "object(symbol+0xoffset) [0xaddress]", from the lookup that backtrace_symbols_fd makes.
    void writeFrame (int file, void* frame) noexcept
    {
        const auto address = reinterpret_cast<std::uintptr_t> (frame);
        Dl_info info{};
        link_map* object = nullptr;

        if (dladdr1 (frame, &info, reinterpret_cast<void**> (&object), RTLD_DL_LINKMAP) != 0
            && info.dli_fname != nullptr && info.dli_fname[0] != 0)
        {
            // Without a symbol the offset is taken from where the object is loaded.
            const auto base = info.dli_sname != nullptr ? reinterpret_cast<std::uintptr_t> (info.dli_saddr) : object->l_addr;
            writeText (file, info.dli_fname);
            writeText (file, "(");
            writeText (file, info.dli_sname != nullptr ? info.dli_sname : "");
            writeText (file, address >= base ? "+" : "-");
            writeHex (file, address >= base ? address - base : base - address);
            writeText (file, ") ");
        }

        writeText (file, "[");
        writeHex (file, address);
        writeText (file, "]\r\n");
    }

    void writeBacktrace (int file) noexcept
    {
        const auto numFrames = backtrace (record.frames.data(), maxBacktraceFrames);

        for (int i = 0; i < numFrames; ++i)
            writeFrame (file, record.frames[(size_t) i]);
    }

    //==============================================================================
    void appendNumber (char*& text, std::int64_t value, int minDigits)
    {
        std::array<char, 20> digits{};
        int numDigits = 0;

        for (; value > 0 || numDigits < minDigits; value /= 10)
            digits[(size_t) numDigits++] = (char) ('0' + value % 10);

        while (numDigits > 0)
            *text++ = digits[(size_t) --numDigits];
    }

    void appendText (char*& text, const char* source)
    {
        while (*source != 0)
            *text++ = *source++;
    }
} // namespace

//==============================================================================
void PluginCrashLogger::writeLogSummary (juce::FileLogger* logger)
{
    jassert (logger != nullptr);

    if (logger == nullptr)
        return;

    for (const auto& line : getSummaryLines())
        logger->logMessage (line);
}

std::unique_ptr<juce::FileLogger> PluginCrashLogger::createLogger()
{
    return std::unique_ptr<juce::FileLogger> (juce::FileLogger::createDefaultAppLogger (pluginCrashLoggerSubdirectory,
                                                                                        pluginCrashLoggerLogFileName,
                                                                                        pluginCrashLoggerWelcomeString,
                                                                                        maxLogSizeBytes));
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
void PluginCrashLogger::prepareCrashRecord()
{
    const auto logFile = getLogFile();
    const auto folder = logFile.getParentDirectory();
    folder.createDirectory();
    juce::FileLogger::trimFileSize (logFile, maxLogSizeBytes);

    record.folder = open (folder.getFullPathName().toRawUTF8(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);

    record.fileName.assign (logFile.getFileName());

    // The banner of the framework's file logger, whose start time is only known at the crash.
    juce::String bannerStart;
    bannerStart << juce::newLine << juce::String::repeatedString ("*", 58) << juce::newLine
                << pluginCrashLoggerWelcomeString << juce::newLine << "Log started: ";
    record.bannerStart.assign (bannerStart);

    // The empty line that ends the backtrace, then the summary.
    juce::String summary;
    summary << juce::newLine;

    for (const auto& line : getSummaryLines())
        summary << line << juce::newLine;

    record.summary.assign (summary);

    const auto now = std::time (nullptr);
    std::tm local{};
    localtime_r (&now, &local);
    record.utcOffsetSeconds = local.tm_gmtoff;

    // The first backtrace loads the unwinder, which allocates: not in the signal handler.
    backtrace (record.frames.data(), 1);
}

void PluginCrashLogger::writeCrashRecord() noexcept
{
    const auto file = openat (record.folder, record.fileName.bytes.data(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);

    if (file < 0)
        return;

    writeAll (file, record.bannerStart);
    writeBannerTime (file);
    writeBacktrace (file);
    writeAll (file, record.summary);
    close (file);
}

void PluginCrashLogger::releaseCrashRecord()
{
    if (record.folder >= 0)
        close (record.folder);

    record.folder = -1;
}

size_t PluginCrashLogger::formatLogTime (std::int64_t localSeconds, std::array<char, 32>& text) noexcept
{
    static constexpr const char* monthNames[] = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
    constexpr std::int64_t secondsPerDay = 86400;

    // Days to a civil date in the proleptic Gregorian calendar, counted in 400-year eras that
    // start on 1 March, so that the leap day falls at the end of a year.
    const auto days = (localSeconds >= 0 ? localSeconds : localSeconds - secondsPerDay + 1) / secondsPerDay;
    const auto secondOfDay = localSeconds - days * secondsPerDay;
    const auto shiftedDays = days + 719468;
    const auto era = (shiftedDays >= 0 ? shiftedDays : shiftedDays - 146096) / 146097;
    const auto dayOfEra = shiftedDays - era * 146097;
    const auto yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const auto dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const auto shiftedMonth = (5 * dayOfYear + 2) / 153;
    const auto day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const auto month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const auto year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    const auto hour = secondOfDay / 3600;
    const auto hourOnClock = hour % 12 == 0 ? 12 : hour % 12;

    auto* end = text.data();
    appendNumber (end, day, 1);
    *end++ = ' ';
    appendText (end, monthNames[month - 1]);
    *end++ = ' ';
    appendNumber (end, year, 1);
    *end++ = ' ';
    appendNumber (end, hourOnClock, 1);
    *end++ = ':';
    appendNumber (end, secondOfDay / 60 % 60, 2);
    *end++ = ':';
    appendNumber (end, secondOfDay % 60, 2);
    appendText (end, hour < 12 ? "am" : "pm");
    return (size_t) (end - text.data());
}
} // namespace velk
