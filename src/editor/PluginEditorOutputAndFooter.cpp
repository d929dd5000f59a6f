#include "editor/Panel.h"
#include "editor/PluginEditor.h"
#include "editor/controls/UIControlFactory.h"
#include "modulation/ModulationsManager.h"
#include "processor/PluginProcessor.h"

#include <EditorAssets.h>

namespace
{
std::unique_ptr<juce::Drawable> drawable (const char* svg, int size)
{
    return juce::Drawable::createFromImageData (svg, (size_t) size);
}

juce::Label* addLabel (juce::Component& editor, std::unique_ptr<juce::Label>& holder, const juce::String& text)
{
    holder.reset (velk::UIControlFactory::createRegularLabel (text));
    editor.addAndMakeVisible (*holder);
    return holder.get();
}

template <typename ComponentType, typename... Args>
ComponentType& addNew (juce::Component& editor, std::unique_ptr<ComponentType>& holder, Args&&... args)
{
    holder = std::make_unique<ComponentType> (std::forward<Args> (args)...);
    editor.addAndMakeVisible (*holder);
    return *holder;
}

void addPushButton (TavelinAudioProcessorEditor& editor, std::unique_ptr<juce::TextButton>& holder,
                    const juce::String& text, const juce::Colour& colour)
{
    holder.reset (velk::UIControlFactory::createPushButton (text, colour));
    editor.addAndMakeVisible (*holder);
    holder->addListener (&editor);
}
} // namespace

//==============================================================================
void TavelinAudioProcessorEditor::setupOutputSection()
{
    addNew (*this, outputPanel, true, true, true, true, true);
    addNew (*this, outputHeaderLabel, "OUTPUT", outputModuleColour);

    addNew (*this, filterModeDisplay);
    filterModeDisplay->initialize (processor.valueTreeState.getRawParameterValue (processor.getParameterLayout().filterModeParameterUID)->load(),
                                   outputModuleColour);
    processor.valueTreeState.addParameterListener (processor.getParameterLayout().filterModeParameterUID, filterModeDisplay.get());

    // Never drawn: the mode picture below shows the value, and this takes its drags.
    filterModeKnob.reset (velk::UIControlFactory::createRegularKnob (outputModuleColour));
    bindPlainKnob (*filterModeKnob, processor.getParameterLayout().filterModeParameterUID);
    filterModeKnob->setAlpha (0.0f);

    createAndBindKnob (filterCutoffKnob, processor.getParameterLayout().filterCutoffParameterUID, "Hz", outputModuleColour);
    createAndBindKnob (filterResonanceKnob, processor.getParameterLayout().filterResonanceParameterUID, "%", outputModuleColour);
    addLabel (*this, filterCutoffLabel, "CUT");
    addLabel (*this, filterResonanceLabel, "RES");
    addNew (*this, filterSectionLabel, "FILTER");

    createAndBindKnob (dryWetKnob, processor.getParameterLayout().dryWetParameterUID, "%", outputModuleColour);
    dryWetKnob->setLookAndFeel (bipolarLook);
    addLabel (*this, dryWetLabel, "DRY/WET");

    auto* level = addLabel (*this, outputLevelLabel, {});
    level->setColour (juce::Label::textColourId, velk::VelkColours::purple);
    level->setFont (juce::Font (12.0f, juce::Font::plain));
    level->setJustificationType (juce::Justification::right);

    // Never drawn: the level shows only as the text below, which this takes the drags of.
    outputLevelKnob.reset (velk::UIControlFactory::createRegularKnob (velk::VelkColours::purple));
    bindPlainKnob (*outputLevelKnob, processor.getParameterLayout().globalGainParameterUID);
    outputLevelKnob->setAlpha (0.0f);
}

void TavelinAudioProcessorEditor::setupPresetStrip()
{
    addNew (*this, presetControlsPanel, true, true, true, true, false).darkerShade = true;

    auto* name = addLabel (*this, presetNameLabel, {});
    name->setJustificationType (juce::Justification::centredLeft);
    name->setFont (juce::Font (14.0f));

    addPushButton (*this, presetBrowserButton, {}, velk::VelkColours::grey);
    presetBrowserButton->setAlpha (0.0f);
    addPushButton (*this, savePresetButton, "S", velk::VelkColours::grey);
    addPushButton (*this, previousPresetButton, "<", velk::VelkColours::grey);
    addPushButton (*this, nextPresetButton, ">", velk::VelkColours::grey);
}

void TavelinAudioProcessorEditor::setupRandomizer()
{
    addNew (*this, randomizerPanel, true, true, true, true, true);

    for (int i = 0; i < 4; ++i)
    {
        auto* link = randomizerLinkDecorations.add (
            new velk::ParameterLinkDecoration (randomizerModuleColour.withBrightness (0.5f), false, true, false));
        link->setOpaque (false);
        link->setInterceptsMouseClicks (false, false);
        addAndMakeVisible (link);
    }

    addNew (*this, randomizerHeaderLabel, "RANDOMIZER", randomizerModuleColour);
    addPushButton (*this, randomizeFXButton, "FX", randomizerModuleColour);
    addPushButton (*this, randomizeLFOButton, "LFO", randomizerModuleColour);
    addPushButton (*this, randomizeMatrixButton, "MATRIX", randomizerModuleColour);
    addPushButton (*this, randomizeAllButton, "ALL", randomizerModuleColour);

    // The amount is the processor's, not a parameter: no binding and no MIDI learn.
    randomizeAmountKnob.reset (velk::UIControlFactory::createRegularKnob (randomizerModuleColour));
    addAndMakeVisible (*randomizeAmountKnob);
    randomizeAmountKnob->setComponentEffect (&dropShadow);
    randomizeAmountKnob->addListener (this);
    randomizeAmountKnob->setValue ((double) processor.randomizeAmount, juce::dontSendNotification);
}

void TavelinAudioProcessorEditor::setupScopeAndFooter()
{
    addNew (*this, scopeBackgroundLogo, EditorAssets::emblem_svg, (size_t) EditorAssets::emblem_svgSize).opacity = 0.05f;

    addNew (*this, oscilloscope);
    oscilloscope->waveColour = velk::OscilloscopeComponent::colourForIndex (
        (int) processor.getPreferences().tree.getProperty (TavelinAudioProcessor::scopeColourProperty, 0));
    oscilloscope->setOpaque (false);
    // A first start has no preference yet, and the processor fills the scope from then on.
    oscilloscope->scopeEnabled = (bool) processor.getPreferences().tree.getProperty (TavelinAudioProcessor::scopeEnabledProperty, true);

    addNew (*this, footerPanel, true, true, true, true, false);
    addNew (*this, productLogo, EditorAssets::logotype_svg, (size_t) EditorAssets::logotype_svgSize);
    addNew (*this, makerLogo, EditorAssets::maker_logotype_svg, (size_t) EditorAssets::maker_logotype_svgSize).placement =
        velk::LogoComponent::alignRight;

    for (int index = 0; index < numMacros; ++index)
        initializeMacroKnob (index);

    addNew (*this, macrosLabel, "MACROS");

    globalModDepthKnob.reset (velk::UIControlFactory::createRegularKnob (velk::VelkColours::lime));
    bindPlainKnob (*globalModDepthKnob, velk::ModulationsManager::globalModDepthParameterUID);
    globalModDepthKnob->setComponentEffect (&dropShadow);

    addNew (*this, modScaleLabel, "MOD SCALE");
}

void TavelinAudioProcessorEditor::initializeMacroKnob (int index)
{
    auto* knob = macroKnobs.add (velk::UIControlFactory::createRegularKnob (macrosColour));
    bindPlainKnob (*knob, processor.getParameterLayout().macroParameterUIDs[index]);
    knob->setComponentEffect (&dropShadow);
    knob->setLookAndFeel (macroLook);

    // The number lies on its knob and lets every click through to it.
    auto* label = macroLabels.add (velk::UIControlFactory::createRegularLabel (juce::String (index + 1)));
    label->setColour (juce::Label::textColourId, macrosColour.withAlpha ((juce::uint8) 0xCC));
    label->setInterceptsMouseClicks (false, false);
    label->setFont (juce::Font (12.0f, juce::Font::plain));
    addAndMakeVisible (label);
}

void TavelinAudioProcessorEditor::setupIconButtons()
{
    const auto cog = drawable (EditorAssets::cog_svg, EditorAssets::cog_svgSize);
    configButton = std::make_unique<juce::DrawableButton> ("config", juce::DrawableButton::ImageFitted);
    configButton->setImages (cog.get());
    // A click that opens a menu leaves the key focus where it was: the window would hand it back
    // to the button each time it comes to the front, and every Return typed later would open the
    // menu again. Tab still reaches it.
    configButton->setMouseClickGrabsKeyboardFocus (false);
    addAndMakeVisible (*configButton);
    configButton->addListener (this);

    // Each image shows the view that the next click leads to.
    const auto grid = drawable (EditorAssets::matrix_off_svg, EditorAssets::matrix_off_svgSize);
    const auto knobs = drawable (EditorAssets::matrix_on_svg, EditorAssets::matrix_on_svgSize);
    matrixViewButton = std::make_unique<juce::DrawableButton> ("matrix", juce::DrawableButton::ImageFitted);
    matrixViewButton->setImages (grid.get(), grid.get(), grid.get(), grid.get(), knobs.get(), knobs.get(), knobs.get(), knobs.get());
    matrixViewButton->setClickingTogglesState (true);
    matrixViewButton->setMouseClickGrabsKeyboardFocus (false);
    addAndMakeVisible (*matrixViewButton);
    matrixViewButton->addListener (this);
}

//==============================================================================
void TavelinAudioProcessorEditor::layOutOutputAndFooter()
{
    using namespace Tavelin::Panel;

    const auto output = outputSection();
    outputPanel->setBounds (output.panel);
    outputHeaderLabel->setBounds (output.headerLabel);
    filterModeDisplay->setBounds (output.filterModeDisplay);
    filterModeDisplay->setComponentEffect (&dropShadow);
    filterModeKnob->setBounds (output.filterModeKnob);
    const std::array<juce::Component*, 3> cellKnobs{ filterCutoffKnob.get(), filterResonanceKnob.get(), dryWetKnob.get() };
    const std::array<juce::Component*, 3> cellLabels{ filterCutoffLabel.get(), filterResonanceLabel.get(), dryWetLabel.get() };

    for (size_t i = 0; i < cellKnobs.size(); ++i)
    {
        cellKnobs[i]->setBounds (output.cellKnobs[i]);
        cellLabels[i]->setBounds (output.cellLabels[i]);
    }

    filterSectionLabel->setBounds (output.filterSectionLabel);
    outputLevelLabel->setBounds (output.outputLevel);
    outputLevelKnob->setBounds (output.outputLevel);

    const auto strip = presetStrip();
    presetControlsPanel->setBounds (strip.panel);
    presetNameLabel->setBounds (strip.nameLabel);
    presetBrowserButton->setBounds (strip.browserButton);
    savePresetButton->setBounds (strip.saveButton);
    previousPresetButton->setBounds (strip.previousButton);
    nextPresetButton->setBounds (strip.nextButton);

    const auto random = randomizer();
    randomizerPanel->setBounds (random.panel);
    randomizerHeaderLabel->setBounds (random.headerLabel);
    randomizeLFOButton->setBounds (random.lfoButton);
    randomizeMatrixButton->setBounds (random.matrixButton);
    randomizeFXButton->setBounds (random.fxButton);
    randomizeAllButton->setBounds (random.allButton);
    randomizeAmountKnob->setBounds (random.amountKnob);

    // The links from "MATRIX" up to the knob and from the knob up to "FX" rise to the right.
    const std::array<bool, 4> fallsToTheRight{ true, false, false, true };

    for (int i = 0; i < randomizerLinkDecorations.size(); ++i)
    {
        randomizerLinkDecorations[i]->setBounds (random.linkDecorations[(size_t) i]);
        randomizerLinkDecorations[i]->bracketFromTopLeft = fallsToTheRight[(size_t) i];
    }

    const auto scopeArea = scope();
    scopeBackgroundLogo->setBounds (scopeArea.backgroundLogo);
    oscilloscope->setBounds (scopeArea.oscilloscope);

    const auto bottom = footer();
    footerPanel->setBounds (bottom.panel);

    for (int k = 0; k < numMacros; ++k)
    {
        macroKnobs[k]->setBounds (bottom.macroKnobs[(size_t) k]);
        macroLabels[k]->setBounds (bottom.macroKnobs[(size_t) k]);
    }

    macrosLabel->setBounds (bottom.macrosLabel);
    globalModDepthKnob->setBounds (bottom.globalModDepthKnob);
    modScaleLabel->setBounds (bottom.modScaleLabel);
    makerLogo->setBounds (bottom.makerLogo);

    const auto title = titleBar();
    productLogo->setBounds (title.productLogo);
    configButton->setBounds (title.configButton);
    matrixViewButton->setBounds (title.matrixViewButton);
}
