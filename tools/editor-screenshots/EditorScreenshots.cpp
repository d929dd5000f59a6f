// Draws the editor as a host would show it, at the UI scales 1.0 and 1.5, into PNGs for review
// by eye (see the README). The processor runs under a fresh temporary HOME, so the user's
// presets and preferences neither show nor change.
#include "editor/Panel.h"
#include "editor/PluginEditor.h"
#include "processor/PluginProcessor.h"
#include "processor/PresetsManager.h"
#include "processor/ProgramChangeManager.h"
#include "support/BusyEditorState.h"
#include "support/IsolatedHome.h"

#include <functional>
#include <iostream>

namespace juce
{
// The message loop's own step on Linux: runs one pending event, or returns false when none is
// waiting (with true) or waits for the next (with false). Button clicks arrive through it.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace
{
/** A state of the plug-in worth looking at, set up before the editor opens, and what the user
    clicks or opens in the window before it is drawn.
*/
struct View
{
    const char* name;
    std::function<void (TavelinAudioProcessor&)> prepare;
    std::function<void (TavelinAudioProcessorEditor&)> show = [] (TavelinAudioProcessorEditor&) {};
};

void prepareMatrixDepths (TavelinAudioProcessor& processor)
{
    using tavelin::test::setPlainValue;
    setPlainValue (processor, "Matrix_LFO_1_to_Delay_1_Time", 60.0f);
    setPlainValue (processor, "Matrix_LFO_2_to_Delay_1_Time", -100.0f);
    setPlainValue (processor, "Matrix_LFO_3_to_Pitch_Shifter_2_Mix", 35.0f);
    setPlainValue (processor, "Matrix_LFO_4_to_Panner_3_Pan", -40.0f);
    setPlainValue (processor, "Matrix_Macro_1_to_LFO_2_Rate", 80.0f);
    setPlainValue (processor, "Matrix_Macro_3_to_Filter_Cut", 25.0f);
    setPlainValue (processor, "Matrix_Delay_1_Time_Global_Scale", 50.0f);
    setPlainValue (processor, "Matrix_Dry_Wet_Global_Scale", 0.0f);
}

void clickMatrixButton (TavelinAudioProcessorEditor& editor)
{
    for (auto* child : editor.getChildren())
        if (auto* button = dynamic_cast<juce::Button*> (child); button != nullptr && button->getName() == "matrix")
            button->triggerClick();

    while (juce::dispatchNextMessageOnSystemQueue (true))
    {
    }
}

void writePresets()
{
    const juce::File folder (velk::PresetsManager::presetsFolderPath);
    const auto midiFolder = velk::ProgramChangeManager::getMidiPresetsFolder();
    midiFolder.createDirectory();

    for (const auto& file : { folder.getChildFile ("Dark Room.vtp"), folder.getChildFile ("Tape 2.vtp"),
                              folder.getChildFile ("Tape 10.vtp"), folder.getChildFile ("Wide Echo.vtp"),
                              midiFolder.getChildFile ("Program 1.vtp") })
        velk::PresetsManager::savePreset (juce::ValueTree ("Tavelin"), file);
}

void waitUntilListed (velk::PresetSelectorComponent& browser)
{
    const auto listed = [&browser]
    {
        const auto* root = browser.getFileTree().getRootItem();
        return !browser.getDirectoryList().isStillLoading() && root != nullptr
               && root->getNumSubItems() == browser.getDirectoryList().getNumFiles();
    };
    const auto deadline = juce::Time::getMillisecondCounter() + 5000;

    while (!listed() && juce::Time::getMillisecondCounter() < deadline)
        juce::dispatchNextMessageOnSystemQueue (true);
}

/** Clicks the preset name and waits (a few seconds at most) until the browser shows the
    folder's whole listing.
*/
void openPresetBrowser (TavelinAudioProcessorEditor& editor)
{
    for (auto* child : editor.getChildren())
        if (auto* button = dynamic_cast<juce::Button*> (child); button != nullptr && button->getBounds() == Tavelin::Panel::presetStrip().browserButton)
            editor.buttonClicked (button);

    for (auto* child : editor.getChildren())
        if (auto* browser = dynamic_cast<velk::PresetSelectorComponent*> (child))
            waitUntilListed (*browser);
}

const View views[] = {
    { "default", [] (TavelinAudioProcessor&) {} },
    { "busy", tavelin::test::prepareBusyState },
    { "matrix", prepareMatrixDepths, clickMatrixButton },
    { "browser", [] (TavelinAudioProcessor&) {}, openPresetBrowser },
};

constexpr float scales[] = { 1.0f, 1.5f };

bool writeScreenshot (const View& view, float scale, const juce::File& file)
{
    TavelinAudioProcessor processor;
    view.prepare (processor);
    processor.getPreferences().uiScaleFactor = scale;

    auto* editor = processor.createEditorIfNeeded();
    // What the window shows from its first refresh on.
    if (auto* tavelinEditor = dynamic_cast<TavelinAudioProcessorEditor*> (editor))
    {
        view.show (*tavelinEditor);
        tavelinEditor->timerCallback();
    }

    const auto image = editor->createComponentSnapshot (editor->getLocalBounds());
    processor.editorBeingDeleted (editor);
    delete editor;

    file.deleteFile();
    juce::FileOutputStream out (file);
    return out.openedOk() && juce::PNGImageFormat().writeImageToStream (image, out);
}
} // namespace

int main (int argc, char** argv)
{
    if (const auto parentResult = tavelin::test::runInIsolatedHome (argc, argv); parentResult >= 0)
        return parentResult;

    const juce::ScopedJuceInitialiser_GUI juce;
    const auto folder = juce::File (argc > 1 ? juce::String (argv[1]) : juce::String (TAVELIN_SCREENSHOT_DIR));
    writePresets();

    if (const auto created = folder.createDirectory(); created.failed())
    {
        std::cerr << "cannot create " << folder.getFullPathName() << ": " << created.getErrorMessage() << "\n";
        return 1;
    }

    for (const auto& view : views)
    {
        for (const auto scale : scales)
        {
            const auto file = folder.getChildFile (juce::String ("editor-") + view.name + "-" + juce::String (scale, 1) + ".png");

            if (!writeScreenshot (view, scale, file))
            {
                std::cerr << "cannot write " << file.getFullPathName() << "\n";
                return 1;
            }

            std::cout << file.getFullPathName() << "\n";
        }
    }

    return 0;
}
