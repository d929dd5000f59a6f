#include "processor/PluginCrashLogger.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <ctime>
#include <execinfo.h>
#include <unistd.h>

namespace
{
class PluginCrashLoggerTest : public testing::Test
{
protected:
    void SetUp() override { logFile.deleteFile(); }
    void TearDown() override { logFile.deleteFile(); }

    static juce::StringArray expectedSummary()
    {
        return { "Tavelin v 1.3.0",
                 juce::PluginHostType().getHostDescription(),
                 juce::SystemStats::getOperatingSystemName(),
                 "CPU : " + juce::String (juce::SystemStats::getNumCpus()) + " x "
                     + juce::String (juce::SystemStats::getCpuSpeedInMegahertz()) + " MHz",
                 "Memory : " + juce::String (juce::SystemStats::getMemorySizeInMegabytes()) + " MB" };
    }

    static bool isWholeNumber (const juce::String& text)
    {
        return text.isNotEmpty() && text.containsOnly ("0123456789");
    }

    /** Checks the banner that starts at line `first` and returns the line after it. */
    static int expectBannerAt (const juce::StringArray& lines, int first)
    {
        EXPECT_EQ (lines[first], "");
        EXPECT_EQ (lines[first + 1], juce::String::repeatedString ("*", 58));
        EXPECT_EQ (lines[first + 2], "Velkora Tavelin");
        EXPECT_TRUE (lines[first + 3].startsWith ("Log started: ")) << lines[first + 3];
        EXPECT_EQ (lines[first + 4], "");
        return first + 5;
    }

    static juce::StringArray sliceLines (const juce::StringArray& lines, int start, int count)
    {
        juce::StringArray slice;

        for (int i = start; i < start + count; ++i)
            slice.add (lines[i]);

        return slice;
    }

    /** The log's lines; every line must end in CR LF. */
    juce::StringArray readLogLines() const
    {
        const auto text = logFile.loadFileAsString();
        EXPECT_TRUE (text.endsWith ("\r\n"));
        EXPECT_EQ (text.replace ("\r\n", {}).indexOfAnyOf ("\r\n"), -1) << "a line break that is not CR LF";
        return juce::StringArray::fromLines (text.dropLastCharacters (2));
    }

    const juce::File logFile = juce::File (juce::String (getenv ("HOME"))).getChildFile (".config/Velkora/TavelinLog.txt");
};

TEST_F (PluginCrashLoggerTest, ConstantsNameTheLogAfterVendorAndPlugin)
{
    EXPECT_EQ (velk::pluginCrashLoggerSubdirectory, "Velkora");
    EXPECT_EQ (velk::pluginCrashLoggerPluginName, "Tavelin");
    EXPECT_EQ (velk::pluginCrashLoggerPluginVersionString, "v 1.3.0");
    EXPECT_EQ (velk::pluginCrashLoggerLogFileName, "TavelinLog.txt");
    EXPECT_EQ (velk::pluginCrashLoggerWelcomeString, "Velkora Tavelin");
}

TEST_F (PluginCrashLoggerTest, LogLiesInTheFrameworksLogFolder)
{
    EXPECT_EQ (velk::PluginCrashLogger::getLogFile(), logFile);
    EXPECT_EQ (velk::PluginCrashLogger::createLogger()->getLogFile(), logFile);
}

TEST_F (PluginCrashLoggerTest, SummaryNamesPluginHostSystemCpuAndMemory)
{
    const auto summary = expectedSummary();

    EXPECT_EQ (summary[1], "Unknown");
    EXPECT_EQ (summary[2], "Linux");
    const auto cpu = summary[3];
    EXPECT_TRUE (cpu.startsWith ("CPU : ") && cpu.endsWith (" MHz")) << cpu;
    const auto cpuFigures = cpu.substring (6).dropLastCharacters (4);
    EXPECT_TRUE (isWholeNumber (cpuFigures.upToFirstOccurrenceOf (" x ", false, false))) << cpu;
    EXPECT_TRUE (isWholeNumber (cpuFigures.fromFirstOccurrenceOf (" x ", false, false))) << cpu;

    const auto memory = summary[4];
    EXPECT_TRUE (memory.startsWith ("Memory : ") && memory.endsWith (" MB")) << memory;
    EXPECT_TRUE (isWholeNumber (memory.substring (9).dropLastCharacters (3))) << memory;
}

TEST_F (PluginCrashLoggerTest, EachSummaryOnDemandAppendsABannerAndFiveLines)
{
    EXPECT_EQ (velk::PluginCrashLogger::appendSummaryToLog(), logFile);
    EXPECT_EQ (velk::PluginCrashLogger::appendSummaryToLog(), logFile);

    const auto lines = readLogLines();
    ASSERT_EQ (lines.size(), 20);
    EXPECT_EQ (sliceLines (lines, expectBannerAt (lines, 0), 5), expectedSummary());
    EXPECT_EQ (sliceLines (lines, expectBannerAt (lines, 10), 5), expectedSummary());
}

TEST_F (PluginCrashLoggerTest, CrashInOurCodeWritesBannerBacktraceEmptyLineAndSummary)
{
    using namespace tavelin::test;
    ASSERT_EQ (runFaultingChild (HostHandler::none, segfaultInOwnCode), ChildEnd::killedBy (SIGSEGV));

    const auto lines = readLogLines();
    const auto firstFrame = expectBannerAt (lines, 0);
    const auto emptyLine = lines.indexOf ("", false, firstFrame);
    ASSERT_GT (emptyLine, firstFrame) << "no backtrace";

    // Each frame reads as the system's symbolised backtrace gives it; the child's code lies
    // where this process has it.
    for (int i = firstFrame; i < emptyLine; ++i)
    {
        auto* frame = reinterpret_cast<void*> (lines[i].fromLastOccurrenceOf ("[0x", false, false).getHexValue64());
        const std::unique_ptr<char*, decltype (&free)> symbols (backtrace_symbols (&frame, 1), &free);
        EXPECT_EQ (lines[i], juce::String (symbols.get()[0]));
    }

    EXPECT_EQ (lines.size(), emptyLine + 6);
    EXPECT_EQ (sliceLines (lines, emptyLine + 1, 5), expectedSummary());
}

TEST_F (PluginCrashLoggerTest, CrashInAHostWithoutStandardInputIsLoggedToo)
{
    // Started with its standard input closed, the host leaves descriptor 0 free for the log.
    using namespace tavelin::test;
    const auto faultWithoutStandardInput = []
    {
        close (STDIN_FILENO);
        segfaultInOwnCode();
    };
    ASSERT_EQ (runFaultingChild (HostHandler::none, faultWithoutStandardInput), ChildEnd::killedBy (SIGSEGV));

    const auto lines = readLogLines();
    expectBannerAt (lines, 0);
    EXPECT_EQ (sliceLines (lines, lines.size() - 5, 5), expectedSummary());
}

TEST_F (PluginCrashLoggerTest, BannerTimeReadsAsTheFrameworkWritesIt)
{
    // Midnight and noon, a leap day, the turn of a century that is no leap year, and now.
    for (const std::time_t utcSeconds : { 0L, 43200L, 951825599L, 4107542399L, 1796560496L, std::time (nullptr) })
    {
        std::tm local{};
        localtime_r (&utcSeconds, &local);
        std::array<char, 32> text{};
        const auto length = velk::PluginCrashLogger::formatLogTime (utcSeconds + local.tm_gmtoff, text);

        EXPECT_EQ (juce::String (text.data(), length), juce::Time ((juce::int64) utcSeconds * 1000).toString (true, true));
    }
}

//==============================================================================
/** Both kinds of entry trim the log before they write: an entry on demand and a crash entry. */
class LogTrimming : public PluginCrashLoggerTest, public testing::WithParamInterface<void (*)()>
{
};

TEST_P (LogTrimming, LogOverTheLimitIsCutAtALineBreakWithinItsLast128KB)
{
    constexpr int limit = 128 * 1024;
    juce::String text;

    for (int i = 0; text.length() <= limit + 5000; ++i)
        text << "old line " << i << "\r\n";

    ASSERT_TRUE (logFile.create());
    ASSERT_TRUE (logFile.replaceWithText (text, false, false, nullptr));
    const auto tail = text.substring (text.length() - limit);
    const auto kept = tail.substring (tail.indexOfAnyOf ("\r\n"));

    GetParam()();

    const auto log = logFile.loadFileAsString();
    EXPECT_TRUE (log.startsWith (kept));
    EXPECT_TRUE (log.substring (kept.length()).startsWith ("\r\n*****"));
}

TEST_P (LogTrimming, LogWithinTheLimitStaysWhole)
{
    const auto text = juce::String::repeatedString ("0123456789abcde\n", 128 * 1024 / 16);
    ASSERT_TRUE (logFile.create());
    ASSERT_TRUE (logFile.replaceWithText (text, false, false, nullptr));
    ASSERT_EQ (logFile.getSize(), 128 * 1024);

    GetParam()();

    EXPECT_TRUE (logFile.loadFileAsString().startsWith (text + "\r\n*****"));
}

void appendEntryOnDemand()
{
    velk::PluginCrashLogger::appendSummaryToLog();
}

void appendCrashEntry()
{
    using namespace tavelin::test;
    EXPECT_EQ (runFaultingChild (HostHandler::none, segfaultInOwnCode), ChildEnd::killedBy (SIGSEGV));
}

INSTANTIATE_TEST_SUITE_P (PluginCrashLogger, LogTrimming, testing::Values (appendEntryOnDemand, appendCrashEntry), [] (const auto& entry)
                          { return std::string (entry.param == appendCrashEntry ? "CrashEntry" : "EntryOnDemand"); });
} // namespace
