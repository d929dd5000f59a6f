#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"
#include "platform/FileReveal.h"
#include "processor/PresetsManager.h"
#include "support/BusyEditorState.h"

#include <algorithm>

namespace tavelin::test
{
namespace
{
    using Menu = velk::MainMenu;

    /** One line per item, a submenu's items after it: "path #id" and the flags. */
    juce::StringArray listItems (const juce::PopupMenu& menu, const juce::String& path = {})
    {
        juce::StringArray lines;

        for (juce::PopupMenu::MenuItemIterator iterator (menu); iterator.next();)
        {
            const auto& item = iterator.getItem();
            auto line = path + item.text + " #" + juce::String (item.itemID);
            line << (item.isEnabled ? "" : " disabled") << (item.isTicked ? " ticked" : "") << (item.isSeparator ? " separator" : "");
            lines.add (item.colour.isTransparent() ? line : line + " " + item.colour.toDisplayString (true));

            if (item.subMenu != nullptr)
                lines.addArray (listItems (*item.subMenu, path + item.text + " > "));
        }

        return lines;
    }

    struct GestureCounter : juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override { ++changes; }
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
        void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int) override { ++begins; }
        void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int) override { ++ends; }
        int changes = 0, begins = 0, ends = 0;
    };
} // namespace

/** The editor open, the scope on, "Delay_1_Time" mapped to controller 20, and every reveal caught. */
class MainMenuTest : public EditorAtBaseScale
{
protected:
    MainMenuTest()
    {
        folder.createDirectory();
        preferences().setProperty (TavelinAudioProcessor::scopeEnabledProperty, true, nullptr);
        openEditor();
        processor->prepareToPlay (44100.0, 64);
        processor->ccMapper.assignController ("Delay_1_Time", 20);
    }

    // Later processors of this program start from the preferences that this one writes back.
    ~MainMenuTest() override
    {
        preferences().setProperty (TavelinAudioProcessor::scopeEnabledProperty, true, nullptr);
        preferences().setProperty (TavelinAudioProcessor::scopeColourProperty, 0, nullptr);
    }

    void choose (int itemId) { editor->getMainMenu().itemChosen (itemId); }
    juce::ValueTree& preferences() { return processor->getPreferences().tree; }
    float value (const juce::String& id) const { return processor->valueTreeState.getParameter (id)->getValue(); }
    velk::OscilloscopeComponent& oscilloscope() { return *childrenOfType<velk::OscilloscopeComponent> (*editor).getFirst(); }

    juce::StringArray mapEntries() const
    {
        juce::StringArray entries;

        for (const auto& child : processor->ccMapper.getMap())
            entries.add (child.getType().toString() + "=" + child[velk::CCMapper::ccValueProperty].toString());

        return entries;
    }

    /** A block of a tone, the controller's message first; the scope's values after it. */
    juce::Array<float> processBlock (int controller = 0, int controllerValue = 0)
    {
        juce::AudioBuffer<float> buffer (2, 64);

        for (int i = 0; i < buffer.getNumSamples(); ++i)
            for (int channel = 0; channel < 2; ++channel)
                buffer.setSample (channel, i, std::sin ((float) i * 0.3f));

        juce::MidiBuffer midi;
        midi.addEvent (juce::MidiMessage::controllerEvent (1, controller, controllerValue), 0);
        processor->processBlock (buffer, midi);
        processor->refreshEditorReadouts();
        return processor->getReadouts().getScopeBuffer();
    }

    const juce::File folder = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("maps");
    juce::Array<juce::File> revealed;
    velk::FileReveal::ScopedHandler revealSeam{ [this] (const juce::File& target)
                                                { revealed.add (target); } };
};

TEST_F (MainMenuTest, ItemsIdsOrderSubmenusTicksAndTheDisabledTitle)
{
    EXPECT_EQ (listItems (editor->getMainMenu().create()),
               juce::StringArray ({ "UNDO #16", "REDO #17", "SCOPE #0", "SCOPE > ENABLED #14 ticked",
                                    "SCOPE > PURPLE #7 FF9731C2", "SCOPE > BLUE #8 FF1C91AB", "SCOPE > GREEN #9 FF199143",
                                    "SCOPE > YELLOW #10 FFCCB51F", "SCOPE > LIME #11 FF96CA30",
                                    "SCOPE > ORANGE #12 FFC67624", "SCOPE > WHITE #13 FFBDBDBD",
                                    "INITIALIZE PARAMETERS #3", "SAVE CURRENT STATE AS DEFAULT #15", "MIDI MAP #0",
                                    "MIDI MAP > CLEAR #6", "MIDI MAP > SAVE #4", "MIDI MAP > LOAD #5",
                                    "NEW RANDOM SEED #18", "OPEN PRESETS DIRECTORY #1", "GO TO CRASH LOG #2",
                                    "TAVELIN V 1.3.0 #-10 disabled" }));

    preferences().setProperty (TavelinAudioProcessor::scopeEnabledProperty, false, nullptr);
    EXPECT_TRUE (listItems (editor->getMainMenu().create()).contains ("SCOPE > ENABLED #14"));
}

TEST_F (MainMenuTest, DismissedTheTitleAndUnknownIdsChangeNothing)
{
    const auto state = copyState();
    const auto before = preferences().createCopy();

    for (const int id : { 0, (int) Menu::titleId, -1, 19, 100 })
        choose (id);

    EXPECT_TRUE (copyState().isEquivalentTo (state));
    EXPECT_TRUE (preferences().isEquivalentTo (before));
    EXPECT_EQ (mapEntries(), juce::StringArray ("Delay_1_Time=20"));
    EXPECT_TRUE (revealed.isEmpty());
}

TEST_F (MainMenuTest, MidiMapFilesSaveTheMapUnderTheChosenNameLoadOnlyAMapAndClearEmptiesIt)
{
    auto& menu = editor->getMainMenu();
    processor->ccMapper.assignController ("Filter_Cut", -1);
    menu.saveMidiMapTo (folder.getChildFile ("live set")); // no extension added
    velk::PresetsManager::savePreset (copyState(), folder.getChildFile ("preset.vtp"));
    folder.getChildFile ("text.vtcc").replaceWithText ("not a map");
    folder.getChildFile ("map.vtcc").replaceWithText (R"(<tavelin_midi_map><Dry_Wet cc="5"/><Delay_1_Time cc="7"/></tavelin_midi_map>)");

    for (const auto* name : { "preset.vtp", "text.vtcc", "missing.vtcc" })
        menu.loadMidiMapFrom (folder.getChildFile (name));

    EXPECT_EQ (mapEntries(), juce::StringArray ("Delay_1_Time=20", "Filter_Cut=-1"));
    menu.loadMidiMapFrom (folder.getChildFile ("map.vtcc"));
    EXPECT_EQ (mapEntries(), juce::StringArray ("Dry_Wet=5", "Delay_1_Time=7"));
    menu.loadMidiMapFrom (folder.getChildFile ("live set"));
    EXPECT_EQ (mapEntries(), juce::StringArray ("Delay_1_Time=20", "Filter_Cut=-1"));
    choose (Menu::clearMidiMapId);
    EXPECT_TRUE (mapEntries().isEmpty());
}

TEST_F (MainMenuTest, AfterLoadingAMapItsControllerMovesTheNewlyMappedParameterFromTheNextBlockOn)
{
    const auto time = value ("Delay_1_Time");
    folder.getChildFile ("mix.vtcc").replaceWithText (R"(<Tavelin_MIDI_MAP><Delay_1_Mix cc="20"/></Tavelin_MIDI_MAP>)");

    editor->getMainMenu().loadMidiMapFrom (folder.getChildFile ("mix.vtcc"));
    processBlock (20, 127);
    EXPECT_EQ (value ("Delay_1_Mix"), 1.0f);
    EXPECT_EQ (value ("Delay_1_Time"), time);
}

TEST_F (MainMenuTest, EachColourItemSetsTheTraceAndThePreferenceButNotTheSwitch)
{
    for (int colour = 0; colour < Menu::numScopeColours; ++colour)
    {
        choose (Menu::firstScopeColourId + colour);
        EXPECT_EQ ((int) preferences()[TavelinAudioProcessor::scopeColourProperty], colour);
        EXPECT_EQ (oscilloscope().waveColour, velk::OscilloscopeComponent::colourForIndex (colour));
        EXPECT_TRUE (processor->getPreferences().isScopeEnabled());
    }
}

TEST_F (MainMenuTest, EnabledSwitchesTheScopeOffClearingItsTraceAndStoppingItsFeedAndBackOn)
{
    const auto fed = processBlock();
    ASSERT_TRUE (std::any_of (fed.begin(), fed.end(), [] (float scopeValue)
                              { return scopeValue != 0.0f; }));
    tick();
    ASSERT_FALSE (oscilloscope().wavePath.isEmpty());

    choose (Menu::scopeEnabledId);
    EXPECT_FALSE ((bool) preferences()[TavelinAudioProcessor::scopeEnabledProperty]);
    EXPECT_FALSE (oscilloscope().scopeEnabled);
    EXPECT_TRUE (oscilloscope().wavePath.isEmpty());
    EXPECT_EQ (processBlock(), fed);

    choose (Menu::scopeEnabledId);
    EXPECT_TRUE ((bool) preferences()[TavelinAudioProcessor::scopeEnabledProperty]);
    EXPECT_TRUE (oscilloscope().scopeEnabled);
    EXPECT_NE (processBlock(), fed);
}

TEST_F (MainMenuTest, InitializeSetsAll333ParametersToTheirDefaultsWithAGestureEachExceptInLive)
{
    const auto& parameters = processor->getParameters();
    ASSERT_EQ (parameters.size(), 333);
    processor->getCurrentPreset().setFile (folder.getChildFile ("Mine.vtp"));
    processor->randomizeAmount = 0.25f;
    choose (Menu::firstScopeColourId + 3);
    const auto before = preferences().createCopy();
    std::unique_ptr<velk::FileDialog> noDialog;
    velk::FileNotice notice;

    for (const auto hostIsLive : { false, true })
    {
        for (auto* parameter : parameters)
            parameter->setValueNotifyingHost (parameter->getDefaultValue() < 0.5f ? 1.0f : 0.0f);

        GestureCounter gestures;
        processor->addListener (&gestures);
        Menu (*processor, oscilloscope(), noDialog, notice, hostIsLive).itemChosen (Menu::initializeParametersId);
        processor->removeListener (&gestures);

        for (auto* parameter : parameters)
            EXPECT_NEAR (parameter->getValue(), parameter->getDefaultValue(), 1.0e-6f) << parameter->getName (64);

        EXPECT_EQ (gestures.changes, 333);
        EXPECT_EQ (gestures.begins, hostIsLive ? 0 : 333);
        EXPECT_EQ (gestures.ends, gestures.begins);
    }

    EXPECT_EQ (mapEntries(), juce::StringArray ("Delay_1_Time=20"));
    EXPECT_TRUE (preferences().isEquivalentTo (before));
    EXPECT_EQ (processor->getCurrentPreset().getName(), "Mine");
    EXPECT_EQ (processor->randomizeAmount, 0.25f);
}

TEST_F (MainMenuTest, UndoRestoresAKnobGestureAndRedoReappliesItButNeverAMapOrAScopeSetting)
{
    processor->undoManager.clearUndoHistory();
    editor->createAndBindKnob (knobs[0], "Delay_1_Mix", "%", TavelinAudioProcessorEditor::chain1Colour);
    const auto before = value ("Delay_1_Mix");
    knobs[0]->setValue (25.0, juce::sendNotificationSync);
    const auto after = value ("Delay_1_Mix");
    ASSERT_NE (after, before);

    for (const int id : { (int) Menu::clearMidiMapId, Menu::firstScopeColourId + 5, (int) Menu::scopeEnabledId, (int) Menu::undoId })
        choose (id);

    EXPECT_FLOAT_EQ (value ("Delay_1_Mix"), before);
    EXPECT_TRUE (mapEntries().isEmpty());
    EXPECT_EQ ((int) preferences()[TavelinAudioProcessor::scopeColourProperty], 5);
    EXPECT_FALSE (processor->getPreferences().isScopeEnabled());

    choose (Menu::redoId);
    EXPECT_FLOAT_EQ (value ("Delay_1_Mix"), after);
}

TEST_F (MainMenuTest, SaveAsDefaultWritesTheLatestValuesIntoTheStartUpPresetAndKeepsTheName)
{
    setPlainValue (*processor, "Delay_1_Mix", 40.0f);
    choose (Menu::saveAsDefaultId);
    const auto saved = velk::PresetsManager::readPreset (velk::PresetsManager::getDefaultPresetFile());
    velk::PresetsManager::getDefaultPresetFile().deleteFile(); // or every later processor of this program would start from it

    EXPECT_EQ ((float) saved.getChildWithProperty ("id", "Delay_1_Mix")["value"], 40.0f);
    EXPECT_EQ (processor->getCurrentPreset().getName(), "INIT");
}

TEST_F (MainMenuTest, NewRandomSeedReseedsTheRandomizerAndChangesNoParameter)
{
    processor->parametersRandomizer.random.setSeed (7);
    const auto state = copyState();
    choose (Menu::newRandomSeedId);

    EXPECT_NE (processor->parametersRandomizer.random.nextInt64(), juce::Random (7).nextInt64());
    EXPECT_TRUE (copyState().isEquivalentTo (state));
}

TEST_F (MainMenuTest, CrashLogItemAppendsASummaryAndRevealsTheLogAndPresetsItemTheFolder)
{
    const auto log = velk::PluginCrashLogger::getLogFile();
    const auto sizeBefore = (int) log.getSize();
    choose (Menu::goToCrashLogId);
    choose (Menu::openPresetsDirectoryId);

    EXPECT_TRUE (log.loadFileAsString().substring (sizeBefore).contains ("\r\nTavelin v 1.3.0\r\n"));
    EXPECT_EQ (revealed, juce::Array<juce::File> ({ log, juce::File (velk::PresetsManager::presetsFolderPath) }));
}
} // namespace tavelin::test
