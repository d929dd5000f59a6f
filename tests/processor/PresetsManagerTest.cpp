#include "processor/PresetsManager.h"
#include "ServicesTestProcessor.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace
{
using tavelin::test::ServicesTestProcessor;

const juce::String cannotSave{ "Could not write preset to file." };
const juce::String cannotLoad{ "Invalid preset file supplied, could not load preset." };

class PresetsManagerTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE (folder.createDirectory()); }
    void TearDown() override { folder.deleteRecursively(); }

    /** Gives every parameter a value of its own, away from its default. */
    void setDistinctValues()
    {
        processor.setPlainValue (ServicesTestProcessor::pan, 12.34f);
        processor.setPlainValue (ServicesTestProcessor::delayTime, 1234.56f);
        processor.setPlainValue (ServicesTestProcessor::lfoRate, 7.5f);
        processor.setPlainValue (ServicesTestProcessor::lfoWave, 5.0f);
        processor.setPlainValue (ServicesTestProcessor::highRateEnable, 1.0f);
        processor.setPlainValue (ServicesTestProcessor::panDepth, -42.5f);
        processor.setPlainValue (ServicesTestProcessor::timeDepth, 99.99f);
        processor.setPlainValue (ServicesTestProcessor::panScale, 0.01f);
    }

    std::map<juce::String, float> currentValues() const
    {
        std::map<juce::String, float> values;

        for (const auto& id : ServicesTestProcessor::parameterIDs)
            values[id] = processor.getPlainValue (id);

        return values;
    }

    /** Every parameter's default value, except the given values. */
    std::map<juce::String, float> defaultValuesExcept (const std::map<juce::String, float>& exceptions) const
    {
        std::map<juce::String, float> values;

        for (const auto& id : ServicesTestProcessor::parameterIDs)
        {
            auto* parameter = processor.store.getParameter (id);
            values[id] = parameter->convertFrom0to1 (parameter->getDefaultValue());
        }

        for (const auto& [id, value] : exceptions)
            values[id] = value;

        return values;
    }

    /** Loads a preset of the given text over values that all differ from their defaults. */
    juce::Result loadOverDistinctValues (const juce::String& presetText)
    {
        EXPECT_TRUE (presetFile.replaceWithText (presetText));
        setDistinctValues();
        return velk::PresetsManager::loadPreset (presetFile, processor.store);
    }

    ServicesTestProcessor processor;
    juce::File folder = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("presets");
    juce::File presetFile = folder.getChildFile ("Test.vtp");
};

//==============================================================================
TEST_F (PresetsManagerTest, PresetFolderAndDefaultPresetLieInTheUsersAudioPresets)
{
    const auto home = juce::String (getenv ("HOME"));

    EXPECT_EQ (velk::PresetsManager::presetsFolderPath, home + "/.config/Audio/Presets/Velkora/Tavelin");
    EXPECT_EQ (velk::PresetsManager::getDefaultPresetFile().getFullPathName(),
               home + "/.config/Audio/Presets/Velkora/Tavelin/User_Default.vtp");
    EXPECT_EQ (velk::PresetsManager::getPresetFile ("Simple_Delay_BPF").getFullPathName(),
               home + "/.config/Audio/Presets/Velkora/Tavelin/Simple_Delay_BPF.vtp");
}

TEST_F (PresetsManagerTest, SaveThenLoadRestoresEveryParameter)
{
    setDistinctValues();
    const auto saved = currentValues();
    ASSERT_TRUE (velk::PresetsManager::savePreset (processor.store.copyState(), presetFile).wasOk());

    for (const auto& id : ServicesTestProcessor::parameterIDs)
        processor.setPlainValue (id, 0.0f);

    const auto result = velk::PresetsManager::loadPreset (presetFile, processor.store);

    EXPECT_TRUE (result.wasOk());
    EXPECT_TRUE (result.getErrorMessage().isEmpty());
    EXPECT_EQ (currentValues(), saved);
}

TEST_F (PresetsManagerTest, FileStartsWithDeclarationEmptyLineAndBlankLineAndEndsLinesInCrLf)
{
    ASSERT_TRUE (velk::PresetsManager::savePreset (processor.store.copyState(), presetFile).wasOk());

    juce::MemoryBlock bytes;
    ASSERT_TRUE (presetFile.loadFileAsData (bytes));
    const auto text = bytes.toString();

    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n \r\n<Tavelin>\r\n"));
    EXPECT_TRUE (text.endsWith ("</Tavelin>\r\n"));
    EXPECT_EQ (text.replace ("\r\n", {}).indexOfAnyOf ("\r\n"), -1) << "a line break that is not CR LF";
}

TEST_F (PresetsManagerTest, FileHoldsOnlyTheParameterTree)
{
    auto state = processor.store.copyState();
    ASSERT_TRUE (velk::PresetsManager::savePreset (state, presetFile).wasOk());

    const auto xml = juce::XmlDocument::parse (presetFile);
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "Tavelin");
    EXPECT_EQ (xml->getNumChildElements(), ServicesTestProcessor::parameterIDs.size());

    for (const auto* child : xml->getChildIterator())
    {
        EXPECT_EQ (child->getTagName(), "PARAM");
        EXPECT_TRUE (ServicesTestProcessor::parameterIDs.contains (child->getStringAttribute ("id")));
        EXPECT_TRUE (child->hasAttribute ("value"));
    }
}

//==============================================================================
TEST_F (PresetsManagerTest, InvalidTreeIsRefusedAndTouchesNoFile)
{
    ASSERT_TRUE (presetFile.replaceWithText ("old preset"));

    const auto result = velk::PresetsManager::savePreset (juce::ValueTree(), presetFile);

    EXPECT_TRUE (result.failed());
    EXPECT_EQ (result.getErrorMessage(), "Invalid preset data supplied, failed to save preset.");
    EXPECT_EQ (presetFile.loadFileAsString(), "old preset");
}

TEST_F (PresetsManagerTest, SaveIntoMissingFolderFailsWithoutCreatingIt)
{
    const auto missingFolder = folder.getChildFile ("missing");

    const auto result = velk::PresetsManager::savePreset (processor.store.copyState(), missingFolder.getChildFile ("Test.vtp"));

    EXPECT_EQ (result.getErrorMessage(), cannotSave);
    EXPECT_FALSE (missingFolder.exists());
}

TEST_F (PresetsManagerTest, SaveOntoAFolderFailsAndKeepsTheFolder)
{
    const auto folderInTheWay = folder.getChildFile ("Folder.vtp");
    ASSERT_TRUE (folderInTheWay.createDirectory());

    EXPECT_EQ (velk::PresetsManager::savePreset (processor.store.copyState(), folderInTheWay).getErrorMessage(), cannotSave);
    EXPECT_TRUE (folderInTheWay.isDirectory());
}

TEST_F (PresetsManagerTest, SaveIntoReadOnlyFolderFailsAndKeepsTheOldFile)
{
    // The folder lies outside the private test home, so that an unprivileged user can reach it.
    const auto readOnlyFolder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                    .getNonexistentChildFile ("tavelin-read-only", {}, false);
    ASSERT_TRUE (readOnlyFolder.createDirectory());
    const auto oldFile = readOnlyFolder.getChildFile ("Test.vtp");
    ASSERT_TRUE (oldFile.replaceWithText ("old preset"));
    ASSERT_TRUE (readOnlyFolder.setReadOnly (true));

    const auto state = processor.store.copyState();
    const auto status = tavelin::test::runInChildProcess ([&]
                                                          {
        // Permissions don't stop root, so a root test run writes as nobody.
        if (geteuid() == 0 && (setgid (65534) != 0 || setuid (65534) != 0))
            return 2;

        return velk::PresetsManager::savePreset (state, oldFile).getErrorMessage() == cannotSave ? 0 : 1; });

    readOnlyFolder.setReadOnly (false);
    EXPECT_EQ (oldFile.loadFileAsString(), "old preset");
    EXPECT_EQ (readOnlyFolder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
    readOnlyFolder.deleteRecursively();

    EXPECT_EQ (status, tavelin::test::ChildEnd::exited (0));
}

//==============================================================================
TEST_F (PresetsManagerTest, UnreadableFilesFailAndLeaveTheParametersAlone)
{
    setDistinctValues();
    const auto before = currentValues();

    const auto emptyFile = folder.getChildFile ("Empty.vtp");
    const auto malformedFile = folder.getChildFile ("Malformed.vtp");
    const auto folderAsPreset = folder.getChildFile ("Folder.vtp");
    ASSERT_TRUE (emptyFile.create());
    ASSERT_TRUE (malformedFile.replaceWithText ("<Tavelin><PARAM id=\"Panner_1_Pan\" value=\"3\"></Tavelin>"));
    ASSERT_TRUE (folderAsPreset.createDirectory());

    for (const auto& file : { folder.getChildFile ("Missing.vtp"), emptyFile, malformedFile, folderAsPreset })
    {
        const auto result = velk::PresetsManager::loadPreset (file, processor.store);

        EXPECT_TRUE (result.failed()) << file.getFileName();
        EXPECT_EQ (result.getErrorMessage(), cannotLoad) << file.getFileName();
        EXPECT_EQ (currentValues(), before) << file.getFileName();
    }
}

TEST_F (PresetsManagerTest, ParameterMissingFromThePresetTakesItsDefault)
{
    EXPECT_TRUE (loadOverDistinctValues ("<Tavelin><PARAM id=\"Panner_1_Pan\" value=\"75\"/>"
                                         "<PARAM id=\"LFO_1_Wave\"/></Tavelin>")
                     .wasOk());

    EXPECT_EQ (currentValues(), defaultValuesExcept ({ { ServicesTestProcessor::pan, 75.0f } }));
}

TEST_F (PresetsManagerTest, WellFormedXmlOfAnotherKindLoadsAndResetsEveryParameterToDefault)
{
    EXPECT_TRUE (loadOverDistinctValues ("<Tavelin_MIDI_MAP><Delay_1_Time cc=\"12\"/></Tavelin_MIDI_MAP>").wasOk());

    EXPECT_EQ (currentValues(), defaultValuesExcept ({}));
}

TEST_F (PresetsManagerTest, ValueThatIsNotAFiniteNumberGivesTheDefault)
{
    EXPECT_TRUE (loadOverDistinctValues ("<Tavelin><PARAM id=\"Panner_1_Pan\" value=\"nan\"/>"
                                         "<PARAM id=\"Delay_1_Time\" value=\"-inf\"/>"
                                         "<PARAM id=\"LFO_1_Wave\" value=\"4\"/></Tavelin>")
                     .wasOk());

    EXPECT_EQ (currentValues(), defaultValuesExcept ({ { ServicesTestProcessor::lfoWave, 4.0f } }));
}

TEST_F (PresetsManagerTest, ExponentOfAnyLengthBeyondADoublesRangeGivesTheDefaultOrZero)
{
    EXPECT_TRUE (loadOverDistinctValues ("<Tavelin><PARAM id=\"LFO_1_Rate\" value=\"1e3144444444444444449\"/>"
                                         "<PARAM id=\"Matrix_Panner_1_Pan_Global_Scale\" value=\"5e-3144444444444444449\"/></Tavelin>")
                     .wasOk());

    EXPECT_EQ (currentValues(), defaultValuesExcept ({ { ServicesTestProcessor::panScale, 0.0f } }));
}

TEST_F (PresetsManagerTest, OnlyTheFirstOfRepeatedValuesCounts)
{
    EXPECT_TRUE (loadOverDistinctValues ("<Tavelin><PARAM id=\"Delay_1_Time\" value=\"nan\" value=\"1e3144444444444444449\"/>"
                                         "<PARAM id=\"LFO_1_Wave\" value=\"4\" value=\"5\"/></Tavelin>")
                     .wasOk());

    EXPECT_EQ (currentValues(), defaultValuesExcept ({ { ServicesTestProcessor::lfoWave, 4.0f } }));
}
} // namespace
