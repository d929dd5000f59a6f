#include "platform/UserFileLocations.h"
#include "processor/PluginProcessor.h"
#include "robustness/SignalChecks.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace
{
using velk::UserFileLocations;

void writePreferences (const juce::String& scale, const juce::String& colour = "2")
{
    juce::XmlElement root ("PROPERTIES");

    for (const auto& [name, value] : { std::pair (juce::String ("Version"), juce::String ("v 1.3.0")),
                                       std::pair (juce::String ("UI_Scale"), scale),
                                       std::pair (juce::String ("Scope_Colour"), colour) })
    {
        auto* element = root.createNewChildElement ("VALUE");
        element->setAttribute ("name", name);
        element->setAttribute ("val", value);
    }

    const auto file = UserFileLocations::getPreferencesFile();
    ASSERT_TRUE (file.getParentDirectory().createDirectory());
    ASSERT_TRUE (root.writeTo (file));
}

/** The processor still makes sound: construction went through whatever the file held. */
void expectUsable (TavelinAudioProcessor& processor)
{
    processor.prepareToPlay (44100.0, 256);
    juce::AudioBuffer<float> buffer (2, 256);
    juce::MidiBuffer midi;

    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < 256; ++i)
            buffer.setSample (ch, i, 0.5f);

    processor.processBlock (buffer, midi);

    const std::array<std::vector<float>, 2> output{ std::vector<float> (buffer.getReadPointer (0), buffer.getReadPointer (0) + 256),
                                                    std::vector<float> (buffer.getReadPointer (1), buffer.getReadPointer (1) + 256) };
    EXPECT_EQ (tavelin::test::countNonFinite (output), 0);
    EXPECT_GT (tavelin::test::peak (output), 0.1f);
}

class PreferencesGarbageTest : public testing::TestWithParam<const char*>
{
protected:
    void SetUp() override { UserFileLocations::getPreferencesFile().deleteFile(); }
    void TearDown() override { UserFileLocations::getPreferencesFile().deleteFile(); }
};

TEST_P (PreferencesGarbageTest, ScaleThatIsNoFiniteNumberFromAQuarterToFourIsNotTaken)
{
    writePreferences (GetParam());
    TavelinAudioProcessor processor;

    EXPECT_EQ (processor.getPreferences().uiScaleFactor, 1.0f);
    EXPECT_EQ ((double) processor.getPreferences().tree[TavelinAudioProcessor::uiScaleFactorProperty], 1.0);
    expectUsable (processor);
}

TEST_P (PreferencesGarbageTest, TeardownWritesTheScaleInUseBack)
{
    writePreferences (GetParam());
    std::make_unique<TavelinAudioProcessor>().reset();

    const auto xml = juce::parseXML (UserFileLocations::getPreferencesFile());
    ASSERT_NE (xml, nullptr);
    const auto* scale = xml->getChildByAttribute ("name", "UI_Scale");
    ASSERT_NE (scale, nullptr);
    EXPECT_DOUBLE_EQ (scale->getDoubleAttribute ("val"), 1.0);
}

INSTANTIATE_TEST_SUITE_P (Values,
                          PreferencesGarbageTest,
                          testing::Values ("abc", "0", "-2", "1e9", "0.2499", "4.01", "nan", "inf", "-inf", "", "1e3144444444449"));

//==============================================================================
class PreferencesScaleTest : public PreferencesGarbageTest
{
};

TEST_P (PreferencesScaleTest, ScaleWithinAQuarterToFourIsTaken)
{
    writePreferences (GetParam());
    const TavelinAudioProcessor processor;

    EXPECT_EQ (processor.getPreferences().uiScaleFactor, juce::String (GetParam()).getFloatValue());
}

INSTANTIATE_TEST_SUITE_P (Values, PreferencesScaleTest, testing::Values ("0.25", "0.5", "1.5", "4"));

TEST (PreferencesFileGarbageTest, BinaryFileGivesTheDefaultsAndAUsablePlugin)
{
    const auto file = UserFileLocations::getPreferencesFile();
    ASSERT_TRUE (file.getParentDirectory().createDirectory());
    juce::MemoryBlock garbage (4096);
    juce::Random random (1207);

    for (size_t i = 0; i < garbage.getSize(); ++i)
        garbage[i] = (char) random.nextInt (256);

    ASSERT_TRUE (file.replaceWithData (garbage.getData(), garbage.getSize()));
    TavelinAudioProcessor processor;

    EXPECT_EQ (processor.getPreferences().uiScaleFactor, 1.0f);
    EXPECT_EQ ((int) processor.getPreferences().tree[TavelinAudioProcessor::scopeColourProperty], 0);
    expectUsable (processor);
    file.deleteFile();
}
} // namespace
