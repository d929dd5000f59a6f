#include "ProcessorTestRig.h"

#include "platform/UserFileLocations.h"

namespace velk::test
{
namespace
{
    /** The keys of a properties file, as text, straight from its XML. */
    std::map<juce::String, juce::String> readPreferencesFile()
    {
        std::map<juce::String, juce::String> values;

        if (const auto xml = juce::parseXML (UserFileLocations::getPreferencesFile()))
            for (auto* value : xml->getChildWithTagNameIterator ("VALUE"))
                values[value->getStringAttribute ("name")] = value->getStringAttribute ("val");

        return values;
    }

    void writePreferencesFile (std::initializer_list<std::pair<const char*, const char*>> values)
    {
        juce::XmlElement root ("PROPERTIES");

        for (const auto& [name, val] : values)
        {
            auto* element = root.createNewChildElement ("VALUE");
            element->setAttribute ("name", name);
            element->setAttribute ("val", val);
        }

        const auto file = UserFileLocations::getPreferencesFile();
        ASSERT_TRUE (file.getParentDirectory().createDirectory());
        ASSERT_TRUE (root.writeTo (file));
    }
} // namespace

class ProcessorPreferences : public ::testing::Test
{
protected:
    void SetUp() override { UserFileLocations::getPreferencesFile().deleteFile(); }
    void TearDown() override { UserFileLocations::getPreferencesFile().deleteFile(); }

    using P = TavelinAudioProcessor;
};

TEST_F (ProcessorPreferences, LiveInTheConfigFolder)
{
    EXPECT_EQ (UserFileLocations::getPreferencesFile(),
               juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile (".config/Velkora/Tavelin.prefs"));
}

TEST_F (ProcessorPreferences, FirstStartTakesTheDefaults)
{
    const TavelinAudioProcessor processor;
    const auto& tree = processor.getPreferences().tree;

    EXPECT_EQ (tree.getType().toString(), "Tavelin_Preferences");
    EXPECT_EQ (tree[P::versionProperty].toString(), "v 1.3.0");
    EXPECT_EQ ((double) tree[P::uiScaleFactorProperty], 1.0);
    EXPECT_EQ ((int) tree[P::scopeColourProperty], 0);
    EXPECT_TRUE ((bool) tree[P::scopeEnabledProperty]);
    EXPECT_EQ (processor.getPreferences().uiScaleFactor, 1.0f);
}

TEST_F (ProcessorPreferences, TeardownWritesVersionAndTheThreeSettings)
{
    {
        const TavelinAudioProcessor processor;
    }

    const auto values = readPreferencesFile();
    EXPECT_EQ (values.at ("Version"), "v 1.3.0");
    EXPECT_EQ (values.at ("UI_Scale"), "1.0");
    EXPECT_EQ (values.at ("Scope_Colour"), "0");
    EXPECT_EQ (values.at ("Scope_Enabled"), "1");
}

TEST_F (ProcessorPreferences, OlderVersionIsRewrittenAndTheRestKept)
{
    writePreferencesFile ({ { "Version", "v 1.2.0" }, { "UI_Scale", "1.5" }, { "Scope_Colour", "4" }, { "Scope_Enabled", "0" } });

    {
        const TavelinAudioProcessor processor;
        EXPECT_EQ (processor.getPreferences().tree[P::versionProperty].toString(), "v 1.3.0");
        EXPECT_EQ ((double) processor.getPreferences().tree[P::uiScaleFactorProperty], 1.5);
        EXPECT_EQ (processor.getPreferences().uiScaleFactor, 1.5f);
        EXPECT_EQ ((int) processor.getPreferences().tree[P::scopeColourProperty], 4);
        EXPECT_FALSE ((bool) processor.getPreferences().tree[P::scopeEnabledProperty]);
    }

    const auto values = readPreferencesFile();
    EXPECT_EQ (values.at ("Version"), "v 1.3.0");
    EXPECT_EQ (values.at ("UI_Scale"), "1.5");
    EXPECT_EQ (values.at ("Scope_Colour"), "4");
}

TEST_F (ProcessorPreferences, TrueAsTextReadsAsDisabled)
{
    writePreferencesFile ({ { "Version", "v 1.3.0" }, { "Scope_Enabled", "true" } });
    EXPECT_FALSE ((bool) TavelinAudioProcessor().getPreferences().tree[P::scopeEnabledProperty]);

    writePreferencesFile ({ { "Version", "v 1.3.0" }, { "Scope_Enabled", "1" } });
    EXPECT_TRUE ((bool) TavelinAudioProcessor().getPreferences().tree[P::scopeEnabledProperty]);
}

TEST_F (ProcessorPreferences, NonNumericScaleIsNotTakenAndColourReadsAsZero)
{
    writePreferencesFile ({ { "UI_Scale", "big" }, { "Scope_Colour", "red" } });
    const TavelinAudioProcessor processor;

    EXPECT_EQ (processor.getPreferences().uiScaleFactor, 1.0f);
    EXPECT_EQ ((int) processor.getPreferences().tree[P::scopeColourProperty], 0);
}

TEST_F (ProcessorPreferences, MalformedFileGivesTheDefaults)
{
    ASSERT_TRUE (UserFileLocations::getPreferencesFile().getParentDirectory().createDirectory());
    ASSERT_TRUE (UserFileLocations::getPreferencesFile().replaceWithText ("<PROPERTIES><VALUE name="));
    const TavelinAudioProcessor processor;

    EXPECT_EQ (processor.getPreferences().uiScaleFactor, 1.0f);
    EXPECT_TRUE ((bool) processor.getPreferences().tree[P::scopeEnabledProperty]);
}

TEST_F (ProcessorPreferences, EditorChangesAreWrittenAtTeardown)
{
    {
        TavelinAudioProcessor processor;
        processor.getPreferences().tree.setProperty (P::scopeColourProperty, 3, nullptr);
        processor.getPreferences().tree.setProperty (P::scopeEnabledProperty, false, nullptr);
        processor.getPreferences().tree.setProperty (P::uiScaleFactorProperty, 1.25, nullptr);
        processor.getPreferences().uiScaleFactor = 1.25f;
    }

    const auto values = readPreferencesFile();
    EXPECT_EQ (values.at ("Scope_Colour"), "3");
    EXPECT_EQ (values.at ("Scope_Enabled"), "0");
    EXPECT_EQ (values.at ("UI_Scale"), "1.25");
}

class TwoInstances : public ProcessorPreferences,
                     public ::testing::WithParamInterface<bool>
{
};

TEST_P (TwoInstances, KeepEachOthersChangesClosedInEitherOrder)
{
    auto scaled = std::make_unique<TavelinAudioProcessor>(), coloured = std::make_unique<TavelinAudioProcessor>();
    scaled->getPreferences().tree.setProperty (P::uiScaleFactorProperty, 1.5, nullptr);
    coloured->getPreferences().tree.setProperty (P::scopeColourProperty, 3, nullptr);

    (GetParam() ? scaled : coloured).reset();
    scaled.reset();
    coloured.reset();

    const auto values = readPreferencesFile();
    EXPECT_EQ (values, (std::map<juce::String, juce::String>{ { "Version", "v 1.3.0" }, { "UI_Scale", "1.5" }, { "Scope_Colour", "3" }, { "Scope_Enabled", "1" } }));
}

INSTANTIATE_TEST_SUITE_P (ScaledFirstOrColouredFirst, TwoInstances, ::testing::Bool());

TEST_F (ProcessorPreferences, ScopeSwitchReachesTheAudioThread)
{
    ProcessorRig rig;
    const auto scopedValues = [&rig] (int numSamples)
    {
        rig.process (makeSignal (numSamples, [] (int, int)
                                 { return 0.25f; }),
                     numSamples);
        rig.processor->refreshEditorReadouts();
        const auto& scope = rig.processor->getReadouts().getScopeBuffer();
        return (int) std::count_if (scope.begin(), scope.end(), [] (float v)
                                    { return v != 0.0f; });
    };

    rig.processor->getPreferences().tree.setProperty (P::scopeEnabledProperty, false, nullptr);
    EXPECT_EQ (scopedValues (64), 0);

    rig.processor->getPreferences().tree.setProperty (P::scopeEnabledProperty, true, nullptr);
    EXPECT_EQ (scopedValues (40), 3) << "samples 0, 16 and 32";
}
} // namespace velk::test
