#include "editor/components/ModMatrixComponent.h"

#include "editor/PluginEditor.h"
#include "editor/controls/UIControlFactory.h"
#include "lookandfeel/VelkColours.h"
#include "processor/PluginProcessor.h"

namespace velk
{
namespace
{
    const juce::String globalScaleText{ "GLOBAL SCALE" };
    constexpr int hoverPeriodMs = 100;
    const juce::Rectangle<int> resetButtonSize{ 40, 16 };
} // namespace

ModMatrixComponent::ModMatrixComponent (ControlToParameterMapper& parameterMapper, ModulationsManager& manager,
                                        CCMapperUIManager& ccMapperUIManager, juce::AudioProcessorValueTreeState& state,
                                        UndoHistory& history)
    : modulationsManager (manager),
      valueTreeState (state),
      undoHistory (history)
{
    addSourceLabels();

    for (int target = 0; target < modulationsManager.getNumTargets(); ++target)
        addTargetRow (target, parameterMapper, ccMapperUIManager);

    resetButton.reset (UIControlFactory::createPushButton ("RESET", VelkColours::lime));
    addAndMakeVisible (*resetButton);
    resetButton->addListener (this);

    setOpaque (true);
    startTimer (hoverPeriodMs);
}

ModMatrixComponent::~ModMatrixComponent() = default;

void ModMatrixComponent::addSourceLabels()
{
    for (int i = 0; i < modulationsManager.getNumModulators(); ++i)
        sourceLabels.add (UIControlFactory::createRegularLabel (labelTextFor (modulationsManager.getModulator (i)->getUID())));

    sourceLabels.add (UIControlFactory::createRegularLabel (globalScaleText));
    sourceLabels.getLast()->setColour (juce::Label::textColourId, VelkColours::lime);

    for (auto* label : sourceLabels)
    {
        addAndMakeVisible (label);
        label->setFont (juce::Font (14.0f, juce::Font::plain));
    }
}

void ModMatrixComponent::addTargetRow (int target, ControlToParameterMapper& parameterMapper, CCMapperUIManager& ccMapperUIManager)
{
    auto* label = targetLabels.add (UIControlFactory::createRegularLabel (labelTextFor (modulationsManager.getTargetNames()[target])));
    label->setJustificationType (juce::Justification::centredLeft);
    addAndMakeVisible (label);
    label->setFont (juce::Font (12.0f, juce::Font::plain));

    auto* row = cellSliders.add (new juce::OwnedArray<VelkKnob>());
    const auto scaleColumn = modulationsManager.getNumModulators();

    for (int column = 0; column <= scaleColumn; ++column)
    {
        auto* cell = row->add (UIControlFactory::createRegularKnob (VelkColours::light_grey));
        cell->setSliderStyle (juce::Slider::LinearHorizontal);

        if (column == scaleColumn)
        {
            cell->setColour (juce::Slider::thumbColourId, VelkColours::lime);
            cell->setLookAndFeel (scaleLook);
        }
        else
        {
            cell->setColour (juce::Slider::thumbColourId, VelkColours::light_grey);
            cell->setLookAndFeel (amountLook);
        }

        cell->setColour (juce::Slider::trackColourId, VelkColours::dark_grey);
        addAndMakeVisible (cell);

        const auto id = modulationsManager.getModMatrixParameterUID (target, column);
        parameterMapper.attachSliderToParameter (cell, id);
        cell->parameterID = id;
        cell->addChangeListener (&ccMapperUIManager);
    }
}

//==============================================================================
juce::String ModMatrixComponent::labelTextFor (const juce::String& identifier)
{
    return identifier.toUpperCase().replace ("_", " ");
}

ModMatrixComponent::Geometry ModMatrixComponent::getGeometry() const
{
    Geometry geometry{};
    geometry.innerWidth = juce::jmax (0, getWidth() - 2 * margin);
    geometry.innerHeight = juce::jmax (0, getHeight() - 2 * margin);
    geometry.rowHeight = geometry.innerHeight / (targetLabels.size() + 1);
    geometry.columnWidth = geometry.innerWidth / (numColumns() + 1);
    geometry.cellInset = geometry.rowHeight / 4;
    geometry.cellWidth = geometry.columnWidth;
    geometry.cellHeight = juce::jmax (0, geometry.rowHeight - 2 * geometry.cellInset);
    return geometry;
}

void ModMatrixComponent::resized()
{
    const auto geometry = getGeometry();
    const auto rh = geometry.rowHeight;
    const auto cw = geometry.columnWidth;

    resetButton->setBounds (resetButtonSize.withPosition (margin, margin + (rh - resetButtonSize.getHeight()) / 2));

    for (int i = 0; i < sourceLabels.size(); ++i)
        sourceLabels[i]->setBounds (margin + cw * (i + 1), margin, cw, rh);

    for (int t = 0; t < targetLabels.size(); ++t)
    {
        targetLabels[t]->setBounds (margin, margin + rh * (t + 1), cw, rh);

        for (int c = 0; c < cellSliders[t]->size(); ++c)
            (*cellSliders[t])[c]->setBounds (margin + cw * (c + 1), margin + rh * (t + 1) + geometry.cellInset,
                                             geometry.cellWidth, geometry.cellHeight);
    }
}

void ModMatrixComponent::paint (juce::Graphics& g)
{
    const auto geometry = getGeometry();
    const auto rh = geometry.rowHeight;
    const auto bandWidth = getWidth() - 2 * margin;

    g.fillAll (juce::Colours::black);

    g.setColour (VelkColours::dark_grey.withAlpha ((juce::uint8) 0x7F));
    g.fillRect (margin, margin, geometry.innerWidth, geometry.innerHeight);

    // Every other target row, from the first, gets a faint band; the header row none.
    g.setColour (juce::Colours::white.withAlpha ((juce::uint8) 0x0C));

    for (int row = 1; row <= targetLabels.size(); row += 2)
        g.fillRect (margin, margin + rh * row, bandWidth, rh);

    g.setColour (VelkColours::grey);
    g.drawRect (getLocalBounds().toFloat(), 2.0f);

    if (hoveredRow > 0 && hoveredColumn > 0)
    {
        g.setColour (juce::Colours::white.withAlpha ((juce::uint8) 0x33));
        g.fillRect (margin, margin + hoveredRow * rh, bandWidth, rh);
        g.fillRect (margin + hoveredColumn * geometry.columnWidth, margin, geometry.columnWidth, getHeight() - 2 * margin);
    }
}

//==============================================================================
void ModMatrixComponent::timerCallback()
{
    followMouseAt (getMouseXYRelative());
}

void ModMatrixComponent::followMouseAt (juce::Point<int> position)
{
    if (!isVisible())
        return;

    const auto geometry = getGeometry();
    const auto x = position.x - margin;
    const auto y = position.y - margin;

    // A column reaches from the header down through the whole grid, a row across it from the
    // label column on; the label column is no source column and the header row no target row.
    const auto column = x / juce::jmax (1, geometry.columnWidth);
    const auto row = y / juce::jmax (1, geometry.rowHeight);
    const auto inColumnBand = geometry.columnWidth > 0 && x >= geometry.columnWidth && column <= numColumns()
                              && y >= 0 && y < geometry.innerHeight;
    const auto inRowBand = geometry.rowHeight > 0 && y >= geometry.rowHeight && row <= targetLabels.size()
                           && x >= 0 && x < geometry.innerWidth;

    auto changed = false;

    if (inColumnBand && hoveredColumn != column)
    {
        hoveredColumn = column;
        changed = true;
    }

    if (inRowBand && hoveredRow != row)
    {
        hoveredRow = row;
        changed = true;
    }

    if (changed)
        repaint();
}

void ModMatrixComponent::buttonClicked (juce::Button* button)
{
    if (button == resetButton.get())
        undoHistory.perform (modulationsManager.getMatrixParameterUIDs(), [this]
                             { modulationsManager.resetMatrixParameters (valueTreeState); });
}

//==============================================================================
void ModMatrixComponent::setColourForTarget (const juce::String& moduleUid, const juce::Colour& colour)
{
    const auto key = labelTextFor (moduleUid);
    const auto scaleColumn = modulationsManager.getNumModulators();

    for (int t = 0; t < targetLabels.size(); ++t)
    {
        if (key.isNotEmpty() && !targetLabels[t]->getText().contains (key))
            continue;

        targetLabels[t]->setColour (juce::Label::textColourId, colour);

        for (int c = 0; c < scaleColumn; ++c)
            (*cellSliders[t])[c]->setColour (juce::Slider::thumbColourId, colour);
    }
}

void ModMatrixComponent::setColourForSource (const juce::String& moduleUid, const juce::Colour& colour)
{
    const auto key = labelTextFor (moduleUid);

    for (int i = 0; i < sourceLabels.size() - 1; ++i)
        if (key.isEmpty() || sourceLabels[i]->getText().contains (key))
            sourceLabels[i]->setColour (juce::Label::textColourId, colour);
}

void ModMatrixComponent::colourByModule (const TavelinAudioProcessor& processor)
{
    using Editor = TavelinAudioProcessorEditor;
    const juce::Colour chainColours[] = { Editor::chain1Colour, Editor::chain2Colour, Editor::chain3Colour };

    for (int chain = 0; chain < TavelinAudioProcessor::numChains; ++chain)
        for (const auto& module : { TavelinAudioProcessor::pitchShifterModuleUid, TavelinAudioProcessor::delayModuleUid,
                                    TavelinAudioProcessor::gainerModuleUid, TavelinAudioProcessor::pannerModuleUid })
            setColourForTarget (TavelinAudioProcessor::getChainModuleUID (module, chain), chainColours[chain]);

    for (int lfo = 0; lfo < TavelinAudioProcessor::numLfos; ++lfo)
        setColourForTarget (TavelinAudioProcessor::getChainModuleUID (TavelinAudioProcessor::lfoModuleUid, lfo), Editor::lfoModulesColour);

    setColourForTarget (TavelinAudioProcessor::filterModuleUid, Editor::outputModuleColour);
    setColourForTarget (processor.getParameterLayout().dryWetParameterUID, Editor::outputModuleColour);
    setColourForTarget (TavelinAudioProcessor::macroModuleUid, Editor::macrosColour);
    setColourForSource (TavelinAudioProcessor::lfoModuleUid, Editor::lfoModulesColour);
    setColourForSource (TavelinAudioProcessor::macroModuleUid, Editor::macrosColour);
}
} // namespace velk
