#include "parameters/ParameterCreation.h"
#include "processor/CCMapper.h"
#include "processor/PresetsManager.h"
#include "processor/XmlReader.h"
#include "support/TestAudioProcessor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
enum class BadFile
{
    folder,
    empty,
    binaryGarbage,
    fiftyMegabytes,
    unreadable,
    brokenUtf8
};

std::string nameOf (const testing::TestParamInfo<BadFile>& info)
{
    switch (info.param)
    {
        case BadFile::folder:
            return "Folder";
        case BadFile::empty:
            return "Empty";
        case BadFile::binaryGarbage:
            return "BinaryGarbage";
        case BadFile::fiftyMegabytes:
            return "FiftyMegabytes";
        case BadFile::unreadable:
            return "Unreadable";
        case BadFile::brokenUtf8:
            return "BrokenUtf8";
    }

    return "Unknown";
}

/** A preset (or map) that would load and change things, were it not for its size. */
bool writeWellFormedButHuge (const juce::File& file, const juce::String& root, const juce::String& child)
{
    juce::FileOutputStream out (file);
    out.setPosition (0);
    out.truncate();
    out << "<" << root << ">" << child << "<!--";

    const juce::String padding = juce::String::repeatedString ("x", 1024 * 1024);

    for (int megabyte = 0; megabyte < 50; ++megabyte)
        out << padding;

    out << "--></" << root << ">";
    out.flush();
    return out.getStatus().wasOk();
}

/** Well-formed XML but for the first byte of a four-byte sequence alone in the middle. */
bool writeWithBrokenUtf8 (const juce::File& file, const juce::String& start, const juce::String& end)
{
    juce::MemoryOutputStream bytes;
    bytes << start;
    bytes.writeByte ((char) 0xf0);
    bytes << end;
    return file.replaceWithData (bytes.getData(), bytes.getDataSize());
}

bool writeGarbage (const juce::File& file)
{
    juce::Random random (20261207);
    juce::MemoryBlock bytes (64 * 1024);

    for (size_t i = 0; i < bytes.getSize(); ++i)
        bytes[i] = (char) random.nextInt (256);

    return file.replaceWithData (bytes.getData(), bytes.getSize());
}

//==============================================================================
/** A parameter store with a mapped parameter, both away from their defaults, and one bad file
    of each kind offered as a preset and as a MIDI map.
*/
class BadFileTest : public testing::TestWithParam<BadFile>
{
protected:
    void SetUp() override
    {
        if (GetParam() == BadFile::unreadable && geteuid() == 0)
            GTEST_SKIP() << "running as root, which reads any file whatever its permissions";

        pan = velk::addFloatParameter (parameters.store, "Panner_1_Pan", "Pan", { 0.0f, 100.0f, 0.01f }, 50.0f, {}, nullptr);
        time = velk::addFloatParameter (parameters.store, "Delay_1_Time", "Time", { 1.0f, 4000.0f, 1.0f }, 120.0f, {}, nullptr);
        parameters.finishCreatingParameters();
        parameters.set ("Panner_1_Pan", 12.5f);
        parameters.set ("Delay_1_Time", 777.0f);

        mapper.assignController ("Panner_1_Pan", 7);
        mapBefore = mapper.getMap().toXmlString();
    }

    void TearDown() override
    {
        chmod (file.getFullPathName().toRawUTF8(), 0644);
        file.deleteRecursively();
    }

    /** Makes `file` the bad file of this test's kind; false when the kind can't be made here. */
    bool makeBadFile (const juce::String& root, const juce::String& child)
    {
        switch (GetParam())
        {
            case BadFile::folder:
                return file.createDirectory().wasOk();
            case BadFile::empty:
                return file.create().wasOk();
            case BadFile::binaryGarbage:
                return writeGarbage (file);
            case BadFile::fiftyMegabytes:
                return writeWellFormedButHuge (file, root, child);
            case BadFile::unreadable:
                return file.replaceWithText ("<" + root + ">" + child + "</" + root + ">")
                       && chmod (file.getFullPathName().toRawUTF8(), 0) == 0;
            case BadFile::brokenUtf8:
                return writeWithBrokenUtf8 (file, "<" + root + ">" + child, "</" + root + ">");
        }

        return false;
    }

    void expectNothingChanged()
    {
        EXPECT_FLOAT_EQ (pan->load(), 12.5f);
        EXPECT_FLOAT_EQ (time->load(), 777.0f);
        EXPECT_EQ (mapper.getMap().toXmlString(), mapBefore);
    }

    tavelin::test::TestParameterStore parameters;
    std::atomic<float>* pan = nullptr;
    std::atomic<float>* time = nullptr;
    velk::CCMapper mapper;
    juce::String mapBefore;
    juce::File file = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("Bad.file");
};

TEST_P (BadFileTest, PresetLoadFailsWithTheInvalidFileMessageAndChangesNothing)
{
    ASSERT_TRUE (makeBadFile ("Tavelin", R"(<PARAM id="Panner_1_Pan" value="99"/>)"));

    const auto result = velk::PresetsManager::loadPreset (file, parameters.store);

    EXPECT_TRUE (result.failed());
    EXPECT_EQ (result.getErrorMessage(), "Invalid preset file supplied, could not load preset.");
    expectNothingChanged();
}

TEST_P (BadFileTest, MapLoadChangesNothing)
{
    ASSERT_TRUE (makeBadFile (velk::CCMapper::midiMapTag.toString(), R"(<Delay_1_Time cc="1"/>)"));

    mapper.loadMapFile (file);

    expectNothingChanged();
}

INSTANTIATE_TEST_SUITE_P (EveryKind,
                          BadFileTest,
                          testing::Values (BadFile::folder, BadFile::empty, BadFile::binaryGarbage,
                                           BadFile::fiftyMegabytes, BadFile::unreadable, BadFile::brokenUtf8),
                          nameOf);

//==============================================================================
TEST (XmlReaderTest, FileOfTheLargestSizeIsStillRead)
{
    const auto file = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("Largest.xml");
    const juce::String open{ "<Tavelin><!--" }, close{ "--></Tavelin>" };
    const auto padding = (int) velk::XmlReader::maxFileSize - open.length() - close.length();
    ASSERT_TRUE (file.replaceWithText (open + juce::String::repeatedString ("x", padding) + close));
    ASSERT_EQ (file.getSize(), velk::XmlReader::maxFileSize);

    const auto xml = velk::XmlReader::parse (file);

    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "Tavelin");
    file.deleteFile();
}

TEST (XmlReaderTest, OneByteMoreIsRefused)
{
    const auto file = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("TooLarge.xml");
    const juce::String open{ "<Tavelin><!--" }, close{ "--></Tavelin>" };
    const auto padding = (int) velk::XmlReader::maxFileSize - open.length() - close.length() + 1;
    ASSERT_TRUE (file.replaceWithText (open + juce::String::repeatedString ("x", padding) + close));

    EXPECT_EQ (velk::XmlReader::parse (file), nullptr);
    file.deleteFile();
}

TEST (XmlReaderTest, TextWithValidMultiByteCharactersIsRead)
{
    const char text[] = "<Tavelin name=\"\xc3\x89"
                        "cho \xe2\x82\xac\"/>";
    const auto xml = velk::XmlReader::parse (text, std::strlen (text));

    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getStringAttribute ("name"), juce::String (juce::CharPointer_UTF8 ("\xc3\x89"
                                                                                       "cho \xe2\x82\xac")));
}

TEST (XmlReaderTest, TextEndsBeforeTheFirstByteOfNoWholeUtf8Sequence)
{
    EXPECT_EQ (velk::XmlReader::lengthOfWholeUtf8 ("ab\xe2\x82\xac", 5), 5);
    EXPECT_EQ (velk::XmlReader::lengthOfWholeUtf8 ("ab\xe2\x82", 4), 2);
    EXPECT_EQ (velk::XmlReader::lengthOfWholeUtf8 ("ab\xba"
                                                   "cd",
                                                   5),
               2);
    EXPECT_EQ (velk::XmlReader::lengthOfWholeUtf8 ("ab\xf8\x80\x80\x80\x80", 7), 2);
    EXPECT_EQ (velk::XmlReader::lengthOfWholeUtf8 ("ab\xf0\x9f\x8e\xb5", 6), 6);

    const char cutAfterTheRoot[] = "<Tavelin/>\xf0";
    const auto xml = velk::XmlReader::parse (cutAfterTheRoot, std::strlen (cutAfterTheRoot));
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "Tavelin");
}

TEST (XmlReaderTest, ProcessingInstructionInsideTheRootIsRefused)
{
    // The framework's parser would loop for ever on the first of these.
    for (const auto* text : { "<Tavelin><?x?>text</Tavelin>", "<Tavelin><PARAM/><?x?></Tavelin>" })
        EXPECT_EQ (velk::XmlReader::parse (text, std::strlen (text)), nullptr) << text;

    const char declared[] = "<?xml version=\"1.0\"?>\r\n<!-- note -->\r\n<?app x?>\r\n<Tavelin/>";
    const auto xml = velk::XmlReader::parse (declared, std::strlen (declared));
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "Tavelin");
}

TEST (XmlReaderTest, TextEndsAtTheFirstZeroByte)
{
    const char text[] = "<Tavelin/>\0\xf0\xf0";
    const auto xml = velk::XmlReader::parse (text, sizeof (text));

    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "Tavelin");
}

//==============================================================================
TEST (MapFileSaveTest, SaveIntoReadOnlyFolderFailsAndKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root, which writes into any folder whatever its permissions";

    const auto folder = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("ReadOnly");
    ASSERT_TRUE (folder.createDirectory().wasOk());
    const auto oldFile = folder.getChildFile ("Old.vtcc");
    ASSERT_TRUE (oldFile.replaceWithText ("old map"));
    ASSERT_TRUE (folder.setReadOnly (true));

    velk::CCMapper mapper;
    EXPECT_FALSE (mapper.writeMapFile (oldFile));

    folder.setReadOnly (false);
    EXPECT_EQ (oldFile.loadFileAsString(), "old map");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
    folder.deleteRecursively();
}
} // namespace
