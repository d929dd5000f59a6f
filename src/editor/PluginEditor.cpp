#include "editor/PluginEditor.h"

#include "processor/PluginProcessor.h"

#include <EditorAssets.h>

namespace
{
std::unique_ptr<juce::Drawable> icon (const char* svg, int size)
{
    return juce::Drawable::createFromImageData (svg, (size_t) size);
}

void writeLifecycleLine (const juce::String& line)
{
    // Logger::outputDebugString writes the line to standard error and flushes it.
    juce::Logger::outputDebugString (line);
}
} // namespace

//==============================================================================
TavelinAudioProcessorEditor::TavelinAudioProcessorEditor (TavelinAudioProcessor& owner)
    : juce::AudioProcessorEditor (owner),
      processor (owner),
      parameterMapper (owner.valueTreeState, { [&owner] (juce::RangedAudioParameter& parameter)
                                               { owner.getUndoHistory().beginGesture (parameter); },
                                               [&owner] (juce::RangedAudioParameter& parameter)
                                               { owner.getUndoHistory().endGesture (parameter); } })
{
    juce::LookAndFeel::setDefaultLookAndFeel (mainLook);
    // Fonts resolved before this keep the system face, and with no system font text draws nothing.
    juce::Typeface::clearTypefaceCache();
    setLookAndFeel (mainLook);

    ccMapperUIManager = std::make_unique<velk::CCMapperUIManager> (processor.ccMapper);
    dropShadow.setShadowProperties (juce::DropShadow (juce::Colours::black.withAlpha ((juce::uint8) 0x66), 1, { 0, 2 }));

    headerPanel = std::make_unique<velk::VelkPanel> (true, true, true, true, false);
    addAndMakeVisible (*headerPanel);
    headerPanel->darkerShade = true;

    powerOnIcon = icon (EditorAssets::power_on_svg, EditorAssets::power_on_svgSize);
    powerOffIcon = icon (EditorAssets::power_off_svg, EditorAssets::power_off_svgSize);
    parallelIcon = icon (EditorAssets::parallel_svg, EditorAssets::parallel_svgSize);
    serialIcon = icon (EditorAssets::serial_svg, EditorAssets::serial_svgSize);

    // Creation order is stacking order: what is made later lies on top and gets the mouse.
    for (int chain = 0; chain < numChains; ++chain)
        setupChain (chain);

    createChainMenuButtons();
    setupOutputSection();

    for (int lfo = 0; lfo < numLfos; ++lfo)
        setupLFOModule (lfo);

    setupPresetStrip();
    setupRandomizer();
    setupScopeAndFooter();
    setupIconButtons();
    setupPresetBrowser();
    fileNotice = std::make_unique<velk::FileNotice>();
    mainMenu = std::make_unique<velk::MainMenu> (processor, *oscilloscope, fileDialog, *fileNotice);
    createModMatrixView();
    addChildComponent (*fileNotice); // last, so that it lies over everything

    setUpResizing();

    // Every click in the window reaches mouseDown() too, after the control clicked has had it.
    setWantsKeyboardFocus (true);
    addMouseListener (this, true);

    writeLifecycleLine ("Plugin editor launched");
    startTimer (100);
}

TavelinAudioProcessorEditor::~TavelinAudioProcessorEditor()
{
    // A menu left open would outlive the window; its choice is dropped (the menus watch their
    // controls for deletion).
    juce::PopupMenu::dismissAllActiveMenus();
    presetSelector->getFileTree().removeListener (this);

    for (int lfo = 0; lfo < numLfos; ++lfo)
        processor.valueTreeState.removeParameterListener (lfoWaveParameterUID (lfo), lfoDisplays[lfo]);

    processor.valueTreeState.removeParameterListener (processor.getParameterLayout().filterModeParameterUID, filterModeDisplay.get());
    setLookAndFeel (nullptr);
    writeLifecycleLine ("Plugin editor closed");
}

//==============================================================================
void TavelinAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}

void TavelinAudioProcessorEditor::mouseDown (const juce::MouseEvent& event)
{
    // Most controls take no keys, so a click on one would leave the focus where it was (on the
    // cog, say, which the window hands it back to whenever it comes to the front), and Return
    // would act there. The editor itself takes it instead and acts on no key; the focus stays in
    // the window, where the framework's menus need it to stay open. A menu the click opened
    // keeps its own.
    const auto* clicked = event.originalComponent;
    const auto menuOpen = juce::ModalComponentManager::getInstance()->getNumModalComponents() > 0;

    if (clicked != nullptr && !clicked->hasKeyboardFocus (true) && !menuOpen)
        grabKeyboardFocus();
}

void TavelinAudioProcessorEditor::parentHierarchyChanged()
{
    // The wrapper shows its component only after reparenting the window into the host's, so the
    // host sees the stand-in arrive after the editor's window.
    if (auto* peer = getPeer(); peer != nullptr && getTopLevelComponent()->isVisible())
        processor.getEditorWindowStandIn().passThroughHostWindowOf ((unsigned long) (juce::pointer_sized_uint) peer->getNativeHandle());
}
