#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"
#include "platform/FileReveal.h"
#include "processor/PresetsManager.h"
#include "support/BusyEditorState.h"

namespace tavelin::test
{
namespace
{
    using Menu = velk::MainMenu;

    /** One line per item, submenus' items after their submenu: "path #id", then the flags. */
    void listItems (const juce::PopupMenu& menu, const juce::String& path, juce::StringArray& lines)
    {
        for (juce::PopupMenu::MenuItemIterator item (menu); item.next();)
        {
            const auto& it = item.getItem();
            auto line = path + it.text + " #" + juce::String (it.itemID);
            line << (it.isEnabled ? "" : " disabled") << (it.isTicked ? " ticked" : "") << (it.isSeparator ? " separator" : "");

            if (!it.colour.isTransparent())
                line << " " << it.colour.toDisplayString (true);

            lines.add (line);

            if (it.subMenu != nullptr)
                listItems (*it.subMenu, path + it.text + " > ", lines);
        }
    }

    int occurrences (const juce::String& text, const juce::String& part)
    {
        int count = 0;

        for (auto at = text.indexOf (part); at >= 0; at = text.indexOf (at + 1, part))
            ++count;

        return count;
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

class MainMenuTest : public EditorAtBaseScale
{
protected:
    MainMenuTest()
    {
        folder.createDirectory();
        processor->getPreferences().tree.setProperty (TavelinAudioProcessor::scopeEnabledProperty, true, nullptr);
        openEditor();
        processor->prepareToPlay (44100.0, 64);
    }

    // Later processors of this program read the preferences that this one writes back.
    ~MainMenuTest() override
    {
        processor->getPreferences().tree.setProperty (TavelinAudioProcessor::scopeEnabledProperty, true, nullptr);
        processor->getPreferences().tree.setProperty (TavelinAudioProcessor::scopeColourProperty, 0, nullptr);
    }

    void choose (int itemId) { editor->getMainMenu().itemChosen (itemId); }

    juce::StringArray mapEntries() const
    {
        juce::StringArray entries;

        for (const auto& child : processor->ccMapper.getMap())
            entries.add (child.getType().toString() + "=" + child[velk::CCMapper::ccValueProperty].toString());

        return entries;
    }

    void processBlock (int controller = -1, int value = 0)
    {
        juce::AudioBuffer<float> buffer (2, 64);

        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            buffer.setSample (0, i, std::sin ((float) i * 0.3f));
            buffer.setSample (1, i, 0.5f);
        }

        juce::MidiBuffer midi;

        if (controller >= 0)
            midi.addEvent (juce::MidiMessage::controllerEvent (1, controller, value), 0);

        processor->processBlock (buffer, midi);
    }

    float value (const juce::String& id) const { return processor->valueTreeState.getParameter (id)->getValue(); }

    juce::Array<float> scopeAfterABlock()
    {
        processBlock();
        processor->refreshEditorReadouts();
        return processor->getReadouts().getScopeBuffer();
    }

    velk::OscilloscopeComponent& oscilloscope() { return *childrenOfType<velk::OscilloscopeComponent> (*editor).getFirst(); }

    const juce::File folder = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("maps");
    juce::Array<juce::File> revealed;
    velk::FileReveal::ScopedHandler revealSeam{ [this] (const juce::File& target)
                                                { revealed.add (target); } };
};

TEST_F (MainMenuTest, ItemsIdsOrderSubmenusTicksAndTheDisabledTitle)
{
    juce::StringArray items;
    listItems (editor->getMainMenu().create(), {}, items);

    EXPECT_EQ (items, juce::StringArray ({ "UNDO #16", "REDO #17", "SCOPE #0", "SCOPE > ENABLED #14 ticked",
                                           "SCOPE > PURPLE #7 FF9731C2", "SCOPE > BLUE #8 FF1C91AB", "SCOPE > GREEN #9 FF199143",
                                           "SCOPE > YELLOW #10 FFCCB51F", "SCOPE > LIME #11 FF96CA30",
                                           "SCOPE > ORANGE #12 FFC67624", "SCOPE > WHITE #13 FFBDBDBD",
                                           "INITIALIZE PARAMETERS #3", "SAVE CURRENT STATE AS DEFAULT #15", "MIDI MAP #0",
                                           "MIDI MAP > CLEAR #6", "MIDI MAP > SAVE #4", "MIDI MAP > LOAD #5",
                                           "NEW RANDOM SEED #18", "OPEN PRESETS DIRECTORY #1", "GO TO CRASH LOG #2",
                                           "TAVELIN V 1.3.0 #-10 disabled" }));

    processor->getPreferences().tree.setProperty (TavelinAudioProcessor::scopeEnabledProperty, false, nullptr);
    items.clear();
    listItems (editor->getMainMenu().create(), {}, items);
    EXPECT_TRUE (items.contains ("SCOPE > ENABLED #14"));
}

TEST_F (MainMenuTest, DismissedTheTitleAndUnknownIdsChangeNothing)
{
    processor->ccMapper.assignController ("Delay_1_Time", 20);
    const auto state = copyState();
    const auto preferences = processor->getPreferences().tree.createCopy();

    for (const int id : { 0, (int) Menu::titleId, -1, 19, 100 })
        choose (id);

    EXPECT_TRUE (copyState().isEquivalentTo (state));
    EXPECT_TRUE (processor->getPreferences().tree.isEquivalentTo (preferences));
    EXPECT_EQ (mapEntries(), juce::StringArray ("Delay_1_Time=20"));
    EXPECT_TRUE (revealed.isEmpty());
}

TEST_F (MainMenuTest, MidiMapSaveWritesTheMapUnderTheChosenNameAndClearEmptiesIt)
{
    processor->ccMapper.assignController ("Delay_1_Time", 20);
    processor->ccMapper.assignController ("Filter_Cut", -1);
    editor->getMainMenu().saveMidiMapTo (folder.getChildFile ("live set"));

    const auto xml = juce::parseXML (folder.getChildFile ("live set")); // no extension added
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "Tavelin_MIDI_MAP");
    juce::StringArray written;

    for (const auto* child : xml->getChildIterator())
        written.add (child->getTagName() + "=" + child->getStringAttribute ("cc"));

    EXPECT_EQ (written, juce::StringArray ("Delay_1_Time=20", "Filter_Cut=-1"));

    choose (Menu::clearMidiMapId);
    EXPECT_TRUE (mapEntries().isEmpty());
}

TEST_F (MainMenuTest, MidiMapLoadReplacesTheMapExactlyAndAFileOfAnotherKindLeavesIt)
{
    processor->ccMapper.assignController ("Delay_1_Time", 20);
    processor->ccMapper.assignController ("Filter_Cut", 21);
    const auto mapFile = folder.getChildFile ("map.vtcc");
    mapFile.replaceWithText (R"(<tavelin_midi_map><Dry_Wet cc="5"/><Delay_1_Time cc="7"/></tavelin_midi_map>)");
    const auto presetFile = folder.getChildFile ("preset.vtp");
    velk::PresetsManager::savePreset (copyState(), presetFile);
    folder.getChildFile ("text.vtcc").replaceWithText ("not a map");

    editor->getMainMenu().loadMidiMapFrom (presetFile);
    editor->getMainMenu().loadMidiMapFrom (folder.getChildFile ("text.vtcc"));
    editor->getMainMenu().loadMidiMapFrom (folder.getChildFile ("missing.vtcc"));
    EXPECT_EQ (mapEntries(), juce::StringArray ("Delay_1_Time=20", "Filter_Cut=21"));

    editor->getMainMenu().loadMidiMapFrom (mapFile);
    EXPECT_EQ (mapEntries(), juce::StringArray ("Dry_Wet=5", "Delay_1_Time=7"));
}

TEST_F (MainMenuTest, AfterLoadingAMapItsControllerMovesTheNewlyMappedParameterFromTheNextBlockOn)
{
    processor->ccMapper.assignController ("Delay_1_Time", 20);
    processBlock();
    const auto time = value ("Delay_1_Time");
    const auto mapFile = folder.getChildFile ("mix.vtcc");
    mapFile.replaceWithText (R"(<Tavelin_MIDI_MAP><Delay_1_Mix cc="20"/></Tavelin_MIDI_MAP>)");

    editor->getMainMenu().loadMidiMapFrom (mapFile);
    processBlock (20, 127);
    EXPECT_EQ (value ("Delay_1_Mix"), 1.0f);
    EXPECT_EQ (value ("Delay_1_Time"), time);
}

TEST_F (MainMenuTest, EachColourItemSetsTheTraceAndThePreferenceButNotTheSwitch)
{
    for (int colour = 0; colour < Menu::numScopeColours; ++colour)
    {
        choose (Menu::firstScopeColourId + colour);
        EXPECT_EQ ((int) processor->getPreferences().tree[TavelinAudioProcessor::scopeColourProperty], colour);
        EXPECT_EQ (oscilloscope().waveColour, velk::OscilloscopeComponent::colourForIndex (colour));
        EXPECT_TRUE (processor->getPreferences().isScopeEnabled());
    }
}

TEST_F (MainMenuTest, EnabledSwitchesTheScopeOffClearingItsTraceAndStoppingItsFeedAndBackOn)
{
    const auto silent = processor->getReadouts().getScopeBuffer();
    const auto fed = scopeAfterABlock();
    ASSERT_NE (fed, silent);
    tick();
    ASSERT_FALSE (oscilloscope().wavePath.isEmpty());

    choose (Menu::scopeEnabledId);
    EXPECT_FALSE ((bool) processor->getPreferences().tree[TavelinAudioProcessor::scopeEnabledProperty]);
    EXPECT_FALSE (oscilloscope().scopeEnabled);
    EXPECT_TRUE (oscilloscope().wavePath.isEmpty());
    EXPECT_EQ (scopeAfterABlock(), fed);

    choose (Menu::scopeEnabledId);
    EXPECT_TRUE (processor->getPreferences().isScopeEnabled());
    EXPECT_TRUE (oscilloscope().scopeEnabled);
    EXPECT_NE (scopeAfterABlock(), fed);
}

TEST_F (MainMenuTest, InitializeSetsEveryParameterToItsDefaultAndLeavesMapPreferencesAndName)
{
    const auto& parameters = processor->getParameters();
    ASSERT_EQ (parameters.size(), 333);

    for (auto* parameter : parameters)
        parameter->setValueNotifyingHost (parameter->getDefaultValue() < 0.5f ? 1.0f : 0.0f);

    processor->ccMapper.assignController ("Delay_1_Time", 20);
    processor->getCurrentPreset().setFile (folder.getChildFile ("Mine.vtp"));
    processor->randomizeAmount = 0.25f;
    choose (Menu::firstScopeColourId + 3);
    const auto preferences = processor->getPreferences().tree.createCopy();

    GestureCounter gestures;
    processor->addListener (&gestures);
    choose (Menu::initializeParametersId);
    processor->removeListener (&gestures);

    for (auto* parameter : parameters)
        EXPECT_NEAR (parameter->getValue(), parameter->getDefaultValue(), 1.0e-6f) << parameter->getName (64);

    EXPECT_EQ (gestures.begins, 333);
    EXPECT_EQ (gestures.ends, 333);
    EXPECT_EQ (mapEntries(), juce::StringArray ("Delay_1_Time=20"));
    EXPECT_TRUE (processor->getPreferences().tree.isEquivalentTo (preferences));
    EXPECT_EQ (processor->getCurrentPreset().getName(), "Mine");
    EXPECT_EQ (processor->randomizeAmount, 0.25f);
}

TEST_F (MainMenuTest, InitializeInAbletonLiveSendsNoGestures)
{
    std::unique_ptr<juce::FileChooser> noDialog;
    velk::MainMenu liveMenu (*processor, oscilloscope(), noDialog, true);
    GestureCounter gestures;
    processor->addListener (&gestures);
    liveMenu.itemChosen (Menu::initializeParametersId);
    processor->removeListener (&gestures);

    EXPECT_EQ (gestures.changes, 333);
    EXPECT_EQ (gestures.begins + gestures.ends, 0);
}

TEST_F (MainMenuTest, UndoRestoresAKnobGestureAndRedoReappliesItButNeverAMapOrAScopeSetting)
{
    copyState();
    processor->undoManager.clearUndoHistory();
    editor->createAndBindKnob (knobs[0], "Delay_1_Mix", "%", TavelinAudioProcessorEditor::chain1Colour);
    const auto before = value ("Delay_1_Mix");
    knobs[0]->setValue (25.0, juce::sendNotificationSync);
    copyState(); // the store writes the gesture into its tree, and so into the history
    const auto after = value ("Delay_1_Mix");
    ASSERT_NE (after, before);

    processor->ccMapper.assignController ("Delay_1_Time", 20);
    choose (Menu::clearMidiMapId);
    choose (Menu::firstScopeColourId + 5);
    choose (Menu::scopeEnabledId);

    choose (Menu::undoId);
    EXPECT_FLOAT_EQ (value ("Delay_1_Mix"), before);
    EXPECT_TRUE (mapEntries().isEmpty());
    EXPECT_EQ ((int) processor->getPreferences().tree[TavelinAudioProcessor::scopeColourProperty], 5);
    EXPECT_FALSE (processor->getPreferences().isScopeEnabled());

    choose (Menu::redoId);
    EXPECT_FLOAT_EQ (value ("Delay_1_Mix"), after);
}

TEST_F (MainMenuTest, SaveAsDefaultWritesTheStartUpPresetAndKeepsTheName)
{
    setPlainValue (*processor, "Delay_1_Mix", 40.0f);
    choose (Menu::saveAsDefaultId);
    const auto file = velk::PresetsManager::getDefaultPresetFile();
    const auto saved = velk::PresetsManager::readPreset (file);
    file.deleteFile(); // or every later processor of this program would start from it

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
    const auto summaries = occurrences (log.loadFileAsString(), "Tavelin v 1.3.0");
    choose (Menu::goToCrashLogId);
    choose (Menu::openPresetsDirectoryId);

    EXPECT_EQ (occurrences (log.loadFileAsString(), "Tavelin v 1.3.0"), summaries + 1);
    EXPECT_EQ (revealed, juce::Array<juce::File> ({ log, juce::File (velk::PresetsManager::presetsFolderPath) }));
}
} // namespace tavelin::test
