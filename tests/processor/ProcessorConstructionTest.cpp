#include "ProcessorTestRig.h"

#include "processor/PresetsManager.h"
#include "processor/ProgramChangeManager.h"
#include "processor/XmlReader.h"

#include <sys/stat.h>
#include <unistd.h>

namespace velk::test
{
namespace
{
    /** The host parameter order, built from the layout's own rules. */
    juce::StringArray expectedParameterOrder (const juce::StringArray& targets)
    {
        juce::StringArray ids;

        for (int lfo = 1; lfo <= 4; ++lfo)
            for (auto suffix : { "_Wave", "_Rate", "_Sync", "_Synced_Rate", "_High_Rate_Enable", "_High_Rate" })
                ids.add ("LFO_" + juce::String (lfo) + suffix);

        for (int macro = 1; macro <= 3; ++macro)
            ids.add ("Macro_" + juce::String (macro) + "_Offset");

        for (int chain = 1; chain <= 3; ++chain)
        {
            const auto n = juce::String (chain);

            for (auto suffix : { "_Pitch", "_Size", "_Feedback", "_Mix" })
                ids.add ("Pitch_Shifter_" + n + suffix);

            for (auto suffix : { "_Time", "_Sync", "_Synced_Time", "_Feed", "_Mix", "_PingPong" })
                ids.add ("Delay_" + n + suffix);

            ids.add ("Gainer_" + n + "_Gain");
            ids.add ("Panner_" + n + "_Pan");
            ids.add ("Chain_Bypass_" + juce::String (chain - 1));

            if (chain > 1)
                ids.add ("Chain" + n + "_Serial_Mode");
        }

        ids.addArray ({ "Filter_Mode", "Filter_Cut", "Filter_Res", "Global_Gain", "Dry_Wet",
                        "Chain_To_Filter_1", "Chain_To_Filter_2", "Chain_To_Filter_3" });

        for (const auto& target : targets)
        {
            for (auto modulator : { "LFO_1", "LFO_2", "LFO_3", "LFO_4", "Macro_1", "Macro_2", "Macro_3" })
                ids.add ("Matrix_" + juce::String (modulator) + "_to_" + target);

            ids.add ("Matrix_" + target + "_Global_Scale");
        }

        ids.add ("Modulations_Global_Scale");
        return ids;
    }

    const juce::StringArray targetOrder{
        "LFO_1_Rate", "LFO_1_Wave", "LFO_2_Rate", "LFO_2_Wave", "LFO_3_Rate", "LFO_3_Wave", "LFO_4_Rate", "LFO_4_Wave",
        "Macro_1_Offset", "Macro_2_Offset", "Macro_3_Offset",
        "Pitch_Shifter_1_Pitch", "Pitch_Shifter_1_Mix", "Delay_1_Time", "Delay_1_Mix", "Gainer_1_Gain", "Panner_1_Pan",
        "Pitch_Shifter_2_Pitch", "Pitch_Shifter_2_Mix", "Delay_2_Time", "Delay_2_Mix", "Gainer_2_Gain", "Panner_2_Pan",
        "Pitch_Shifter_3_Pitch", "Pitch_Shifter_3_Mix", "Delay_3_Time", "Delay_3_Mix", "Gainer_3_Gain", "Panner_3_Pan",
        "Filter_Cut", "Filter_Res", "Dry_Wet"
    };

    struct ExpectedParameter
    {
        int index;
        const char* id;
        const char* name;
        const char* label;
        float start, end, interval, skew, defaultValue;
    };

    juce::File presetFile (const juce::String& name)
    {
        return PresetsManager::getPresetFile (name);
    }

    using MakeFile = std::function<bool (const juce::File&)>;

    /** Writes a preset that differs from the start-up values in one recognisable place. */
    MakeFile presetWithDelayTime (float delayTime)
    {
        return [delayTime] (const juce::File& file)
        {
            juce::ValueTree state ("Tavelin");
            state.appendChild (juce::ValueTree ("PARAM", { { "id", "Delay_1_Time" }, { "value", delayTime } }), nullptr);
            return PresetsManager::savePreset (state, file).wasOk();
            };
    }
} // namespace

//==============================================================================
class ProcessorConstruction : public ::testing::Test
{
protected:
    void SetUp() override { clearPresets(); }
    void TearDown() override { clearPresets(); }

    static void clearPresets()
    {
        juce::File (PresetsManager::presetsFolderPath).deleteRecursively();
    }

    juce::RangedAudioParameter& parameterAt (const TavelinAudioProcessor& p, int index) const
    {
        return *dynamic_cast<juce::RangedAudioParameter*> (p.getParameters()[index]);
    }
};

TEST_F (ProcessorConstruction, HostSees333ParametersInLayoutOrder)
{
    const TavelinAudioProcessor processor;
    const auto expected = expectedParameterOrder (targetOrder);
    const auto& parameters = processor.getParameters();

    ASSERT_EQ (expected.size(), 333);
    ASSERT_EQ (parameters.size(), 333);

    for (int i = 0; i < parameters.size(); ++i)
        EXPECT_EQ (parameterAt (processor, i).getParameterID(), expected[i]) << "host index " << i;
}

TEST_F (ProcessorConstruction, ProcessorsOwnParametersHaveTheirNamesRangesAndDefaults)
{
    const TavelinAudioProcessor processor;

    const std::vector<ExpectedParameter> expectedParameters{
        { 0, "LFO_1_Wave", "LFO_1 Wave", "", 0.0f, 6.0f, 1.0f, 1.0f, 0.0f },
        { 37, "Gainer_1_Gain", "Gainer_1 Gain", "dB", -70.0f, 0.0f, 0.01f, 1.5f, -6.0f },
        { 39, "Chain_Bypass_0", "Chain_Bypass_0", "", 0.0f, 1.0f, 1.0f, 1.0f, 0.0f },
        { 52, "Chain_Bypass_1", "Chain_Bypass_1", "", 0.0f, 1.0f, 1.0f, 1.0f, 0.0f },
        { 53, "Chain2_Serial_Mode", "Chain 2 Serial Mode", "", 0.0f, 1.0f, 1.0f, 1.0f, 0.0f },
        { 66, "Chain_Bypass_2", "Chain_Bypass_2", "", 0.0f, 1.0f, 1.0f, 1.0f, 0.0f },
        { 67, "Chain3_Serial_Mode", "Chain 3 Serial Mode", "", 0.0f, 1.0f, 1.0f, 1.0f, 0.0f },
        { 71, "Global_Gain", "Amplitude", "dB", -12.0f, 12.0f, 0.01f, 1.5f, 0.0f },
        { 72, "Dry_Wet", "Dry-Wet", "%", 0.0f, 100.0f, 0.01f, 1.0f, 100.0f },
        { 73, "Chain_To_Filter_1", "Chain 1 to Filter", "", 0.0f, 1.0f, 1.0f, 1.0f, 1.0f },
        { 74, "Chain_To_Filter_2", "Chain 2 to Filter", "", 0.0f, 1.0f, 1.0f, 1.0f, 1.0f },
        { 75, "Chain_To_Filter_3", "Chain 3 to Filter", "", 0.0f, 1.0f, 1.0f, 1.0f, 1.0f },
        { 76, "Matrix_LFO_1_to_LFO_1_Rate", "Matrix_LFO_1_to_LFO_1_Rate", "%", -100.0f, 100.0f, 0.01f, 1.0f, 0.0f },
        { 331, "Matrix_Dry_Wet_Global_Scale", "Matrix_Dry_Wet_Global_Scale", "%", 0.0f, 100.0f, 0.01f, 1.0f, 100.0f },
        { 332, "Modulations_Global_Scale", "Global Mod Scale", "%", 0.0f, 100.0f, 0.01f, 1.0f, 100.0f },
    };

    for (const auto& expected : expectedParameters)
    {
        const auto& p = parameterAt (processor, expected.index);
        const auto& range = p.getNormalisableRange();
        const auto where = "index " + std::to_string (expected.index);

        EXPECT_EQ (p.getParameterID(), expected.id) << where;
        EXPECT_EQ (p.getName (100), expected.name) << where;
        EXPECT_EQ (p.getLabel(), expected.label) << where;
        EXPECT_EQ (range.start, expected.start) << where;
        EXPECT_EQ (range.end, expected.end) << where;
        EXPECT_FLOAT_EQ (range.interval, expected.interval) << where;
        EXPECT_FLOAT_EQ (range.skew, expected.skew) << where;
        EXPECT_FLOAT_EQ (p.convertFrom0to1 (p.getDefaultValue()), expected.defaultValue) << where;
    }
}

TEST_F (ProcessorConstruction, EveryParameterIsAutomatablePlainFloatWithAText)
{
    const TavelinAudioProcessor processor;

    for (auto* parameter : processor.getParameters())
    {
        EXPECT_TRUE (parameter->isAutomatable());
        EXPECT_FALSE (parameter->isMetaParameter());
        EXPECT_FALSE (parameter->isDiscrete());
        EXPECT_FALSE (parameter->isBoolean());
        EXPECT_NO_THROW (parameter->getText (parameter->getValue(), 24));
    }
}

TEST_F (ProcessorConstruction, ProcessorsTextsAreItsOwn)
{
    const TavelinAudioProcessor processor;

    EXPECT_EQ (parameterAt (processor, 71).getText (parameterAt (processor, 71).getValue(), 24), "+0.00 dB");
    EXPECT_EQ (parameterAt (processor, 72).getText (parameterAt (processor, 72).getValue(), 24), "100.00 %");
    EXPECT_EQ (parameterAt (processor, 52).getText (1.0f, 24), "1");
    EXPECT_EQ (parameterAt (processor, 73).getText (0.0f, 24), "0");
}

//==============================================================================
TEST (ProcessorIdentifiers, ModuleUidsCountFromOne)
{
    EXPECT_EQ (TavelinAudioProcessor::getChainModuleUID ("LFO", 0), "LFO_1");
    EXPECT_EQ (TavelinAudioProcessor::getChainModuleUID ("Pitch_Shifter", 2), "Pitch_Shifter_3");
    EXPECT_EQ (TavelinAudioProcessor::getChainModuleUID ("Delay", 9), "Delay_10");
    EXPECT_EQ (TavelinAudioProcessor::getChainModuleUID ("Delay", -1), "Delay_0");
    EXPECT_EQ (TavelinAudioProcessor::getChainModuleUID ("Delay", -3), "Delay_-2");
    EXPECT_EQ (TavelinAudioProcessor::chainToFilterUID (0), "Chain_To_Filter_1");
}

TEST_F (ProcessorConstruction, IdentifierListsFollowTheEditorsPositions)
{
    const TavelinAudioProcessor processor;
    const auto& layout = processor.getParameterLayout();

    EXPECT_EQ (layout.chainParameterUIDs[0], (juce::StringArray{ "Pitch_Shifter_1_Pitch", "Pitch_Shifter_2_Pitch", "Pitch_Shifter_3_Pitch" }));
    EXPECT_EQ (layout.chainParameterUIDs[3][1], "Pitch_Shifter_2_Mix");
    EXPECT_EQ (layout.chainParameterUIDs[5], (juce::StringArray{ "Delay_1_Synced_Time", "Delay_2_Synced_Time", "Delay_3_Synced_Time" }));
    EXPECT_EQ (layout.chainParameterUIDs[6][0], "Delay_1_Sync");
    EXPECT_EQ (layout.chainParameterUIDs[9][2], "Delay_3_PingPong");
    EXPECT_EQ (layout.chainParameterUIDs[10][0], "Gainer_1_Gain");
    EXPECT_EQ (layout.chainParameterUIDs[11][2], "Panner_3_Pan");
    EXPECT_EQ (layout.chainBypassUIDs, (juce::StringArray{ "Chain_Bypass_0", "Chain_Bypass_1", "Chain_Bypass_2" }));

    EXPECT_EQ (layout.lfoParameterUIDs[0][0], "LFO_1_Rate");
    EXPECT_EQ (layout.lfoParameterUIDs[3], (juce::StringArray{ "LFO_1_Wave", "LFO_2_Wave", "LFO_3_Wave", "LFO_4_Wave" }));
    EXPECT_EQ (layout.lfoParameterUIDs[5][3], "LFO_4_High_Rate");
    EXPECT_EQ (layout.macroParameterUIDs, (juce::StringArray{ "Macro_1_Offset", "Macro_2_Offset", "Macro_3_Offset" }));

    EXPECT_EQ (layout.filterModeParameterUID, "Filter_Mode");
    EXPECT_EQ (layout.filterCutoffParameterUID, "Filter_Cut");
    EXPECT_EQ (layout.filterResonanceParameterUID, "Filter_Res");
    EXPECT_EQ (layout.dryWetParameterUID, "Dry_Wet");
    EXPECT_EQ (layout.globalGainParameterUID, "Global_Gain");
}

TEST_F (ProcessorConstruction, ChainTargetMatrixListsHoldEightCellsEach)
{
    const TavelinAudioProcessor processor;

    for (const auto& list : processor.getParameterLayout().chainTargetMatrixUIDs)
        EXPECT_EQ (list.size(), 8);

    const auto& gain = processor.getParameterLayout().chainTargetMatrixUIDs[4];
    EXPECT_EQ (gain[0], "Matrix_LFO_1_to_Gainer_1_Gain");
    EXPECT_EQ (gain[4], "Matrix_Macro_1_to_Gainer_1_Gain");
    EXPECT_EQ (gain[7], "Matrix_Gainer_1_Gain_Global_Scale");
    EXPECT_EQ (processor.getParameterLayout().chainTargetMatrixUIDs[17][7], "Matrix_Panner_3_Pan_Global_Scale");
    EXPECT_EQ (processor.getParameterLayout().chainTargetMatrixUIDs[9][2], "Matrix_LFO_3_to_Delay_2_Mix");
}

TEST_F (ProcessorConstruction, RandomizerGroupsLeaveGainsAndSwitchesOut)
{
    const TavelinAudioProcessor processor;
    const auto& effects = processor.parametersRandomizer.getParameterGroup (ParametersRandomizer::effectsGroup);
    const auto& lfos = processor.parametersRandomizer.getParameterGroup (ParametersRandomizer::lfoGroup);
    const auto& matrix = processor.parametersRandomizer.getParameterGroup (ParametersRandomizer::matrixGroup);

    EXPECT_EQ (effects.size(), 27);
    EXPECT_EQ (effects[4], "Delay_1_Time");
    EXPECT_EQ (effects[5], "Delay_1_Synced_Time");
    EXPECT_EQ (effects[8], "Panner_1_Pan");
    EXPECT_EQ (lfos.size(), 20);
    EXPECT_EQ (lfos.joinIntoString (","), "LFO_1_Rate,LFO_1_Synced_Rate,LFO_1_Wave,LFO_1_High_Rate_Enable,LFO_1_High_Rate,"
                                          "LFO_2_Rate,LFO_2_Synced_Rate,LFO_2_Wave,LFO_2_High_Rate_Enable,LFO_2_High_Rate,"
                                          "LFO_3_Rate,LFO_3_Synced_Rate,LFO_3_Wave,LFO_3_High_Rate_Enable,LFO_3_High_Rate,"
                                          "LFO_4_Rate,LFO_4_Synced_Rate,LFO_4_Wave,LFO_4_High_Rate_Enable,LFO_4_High_Rate");
    EXPECT_EQ (matrix.size(), 232);
    EXPECT_FALSE (matrix.joinIntoString (",").contains ("Gain"));
}

TEST_F (ProcessorConstruction, ModsBufferHasOneZeroPerTargetInTargetOrder)
{
    const TavelinAudioProcessor processor;

    EXPECT_EQ (processor.getModulationsManager().getTargetNames(), targetOrder);
    EXPECT_EQ (processor.getModulationsManager().getTargetNames().indexOf ("Dry_Wet"), 31);
    ASSERT_EQ (processor.getReadouts().getModsBuffer().getNumProperties(), 32);
    EXPECT_EQ (processor.getReadouts().getModsBuffer().getType().toString(), "ModsBuffer");

    for (int i = 0; i < 32; ++i)
    {
        const auto name = processor.getReadouts().getModsBuffer().getPropertyName (i);
        EXPECT_EQ (name.toString(), targetOrder[i]);
        EXPECT_TRUE (processor.getReadouts().getModsBuffer()[name].isDouble());
        EXPECT_EQ ((double) processor.getReadouts().getModsBuffer()[name], 0.0);
    }
}

TEST_F (ProcessorConstruction, ScopeBufferAndStateTreeStartEmpty)
{
    const TavelinAudioProcessor processor;

    ASSERT_EQ (processor.getReadouts().getScopeBuffer().size(), 256);

    for (auto value : processor.getReadouts().getScopeBuffer())
        EXPECT_EQ (value, 0.0f);

    EXPECT_EQ (processor.valueTreeState.state.getType().toString(), "Tavelin");
    EXPECT_FALSE (processor.getProgramChangeRequest().pendingProgramChange);
    EXPECT_EQ (processor.ccMapper.lastReceivedCC, -1);
    EXPECT_EQ (processor.ccMapper.getMap().getNumChildren(), 0);
    EXPECT_EQ (processor.randomizeAmount, 1.0f);
}

//==============================================================================
TEST_F (ProcessorConstruction, StartUpBypassesChainsTwoAndThreeAndOpensChainOnesGain)
{
    const ProcessorRig rig;

    EXPECT_EQ (rig.get ("Chain_Bypass_0"), 0.0f);
    EXPECT_EQ (rig.get ("Chain_Bypass_1"), 1.0f);
    EXPECT_EQ (rig.get ("Chain_Bypass_2"), 1.0f);
    EXPECT_EQ (rig.get ("Gainer_1_Gain"), 0.0f);
    EXPECT_EQ (rig.get ("Gainer_2_Gain"), -6.0f);
    EXPECT_EQ (rig.get ("Gainer_3_Gain"), -6.0f);
    EXPECT_EQ (rig.processor->getCurrentPreset().getName(), "INIT");
    EXPECT_TRUE (rig.processor->getCurrentPreset().getFilePath().isEmpty());
    EXPECT_TRUE (juce::File (PresetsManager::presetsFolderPath).isDirectory()) << "made when missing";
    EXPECT_TRUE (ProgramChangeManager::getMidiPresetsFolder().isDirectory());
}

TEST_F (ProcessorConstruction, EveryOtherParameterStartsAtItsDefault)
{
    const TavelinAudioProcessor processor;
    const juce::StringArray changed{ "Chain_Bypass_1", "Chain_Bypass_2", "Gainer_1_Gain" };

    for (auto* p : processor.getParameters())
    {
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (p);

        if (!changed.contains (ranged->getParameterID()))
        {
            EXPECT_FLOAT_EQ (ranged->getValue(), ranged->getDefaultValue()) << ranged->getParameterID();
        }
    }
}

TEST_F (ProcessorConstruction, StartUpChangesAreAnnouncedChainTwoChainThreeThenGain)
{
    const TavelinAudioProcessor processor;
    std::vector<int> indices;

    for (auto* parameter : PresetLoader::getStartUpParameters (processor.valueTreeState, processor.getParameterLayout()))
        indices.push_back (parameter->getParameterIndex());

    EXPECT_EQ (indices, (std::vector<int>{ 52, 66, 37 }));
}

TEST_F (ProcessorConstruction, StartUpPresetIsTheDefaultElseTheFactoryOneWhicheverLoads)
{
    const auto preset = presetWithDelayTime;
    const MakeFile folder = [] (const juce::File& f)
    { return f.createDirectory().wasOk(); };
    const MakeFile corrupt = [] (const juce::File& f)
    { return f.replaceWithText ("<Tavelin><PARAM id="); };
    const MakeFile empty = [] (const juce::File& f)
    { return f.replaceWithText ({}); };
    const MakeFile unreadable = [] (const juce::File& f)
    { return f.replaceWithText ("<Tavelin/>") && chmod (f.getFullPathName().toRawUTF8(), 0) == 0; };
    const MakeFile oversized = [] (const juce::File& f)
    { return f.replaceWithText ("<Tavelin><!--" + juce::String::repeatedString ("x", (int) XmlReader::maxFileSize) + "--></Tavelin>"); };

    struct Row
    {
        const char* description;
        MakeFile makeDefault, makeFactory;
        const char* expectedName;
        float expectedDelayTime;
        bool needsPermissions = false;
    };

    const auto factory = "Simple_Delay_BPF";

    for (const auto& row : { Row{ "both", preset (500.0f), preset (250.0f), "User_Default", 500.0f },
                             Row{ "default a folder", folder, preset (250.0f), factory, 250.0f },
                             Row{ "corrupt default alone", corrupt, nullptr, "INIT", 120.0f },
                             Row{ "corrupt default", corrupt, preset (250.0f), factory, 250.0f },
                             Row{ "empty default", empty, preset (250.0f), factory, 250.0f },
                             Row{ "oversized default", oversized, preset (250.0f), factory, 250.0f },
                             Row{ "unreadable default", unreadable, preset (250.0f), factory, 250.0f, true },
                             Row{ "empty default and corrupt factory", empty, corrupt, "INIT", 120.0f } })
    {
        SCOPED_TRACE (row.description);

        if (row.needsPermissions && geteuid() == 0)
            continue; // root reads any file whatever its permissions

        clearPresets();
        juce::File (PresetsManager::presetsFolderPath).createDirectory();
        ASSERT_TRUE (row.makeDefault (presetFile ("User_Default")));

        if (row.makeFactory != nullptr)
        {
            ASSERT_TRUE (row.makeFactory (presetFile (factory)));
        }

        const ProcessorRig rig;
        const auto loaded = juce::String (row.expectedName) != "INIT";

        EXPECT_EQ (rig.processor->getCurrentPreset().getName(), juce::String (row.expectedName));
        EXPECT_EQ (rig.processor->getCurrentPreset().getFilePath(), loaded ? presetFile (row.expectedName).getFullPathName() : juce::String());
        EXPECT_EQ (rig.get ("Delay_1_Time"), row.expectedDelayTime);
        EXPECT_EQ (rig.get ("Chain_Bypass_1"), loaded ? 0.0f : 1.0f) << "a preset replaces the start-up values; none leaves them";
        chmod (presetFile ("User_Default").getFullPathName().toRawUTF8(), 0644);
    }
}
} // namespace velk::test
