#include "editor/PluginEditor.h"
#include "parameters/ParameterChange.h"
#include "processor/PluginProcessor.h"

#include <array>
#include <utility>
#include <vector>

namespace
{
using Layout = velk::ParameterLayout;

constexpr int copySettingsItemId = 1;
constexpr int pasteSettingsItemId = 2;

// getChainParameter's numbering: the layout's lists, but gain and pan before ping-pong.
constexpr std::array<Layout::ChainParameter, Layout::numChainParameters> chainParameterOrder{
    Layout::pitchShifterPitch, Layout::pitchShifterSize, Layout::pitchShifterFeedback, Layout::pitchShifterMix,
    Layout::delayTime, Layout::delaySyncedTime, Layout::delaySync, Layout::delayFeed,
    Layout::delayMix, Layout::gainerGain, Layout::pannerPan, Layout::delayPingPong
};

void copyValue (const juce::AudioProcessorParameter* source, juce::AudioProcessorParameter* destination)
{
    if (source != nullptr && destination != nullptr)
        velk::setParameterNotifyingHost (*destination, source->getValue());
}
} // namespace

//==============================================================================
void TavelinAudioProcessorEditor::createModMatrixView()
{
    modMatrixView = std::make_unique<velk::ModMatrixComponent> (parameterMapper, processor.getModulationsManager(),
                                                                *ccMapperUIManager, processor.valueTreeState,
                                                                processor.getUndoHistory());
    addChildComponent (*modMatrixView);
    modMatrixView->colourByModule (processor);
}

void TavelinAudioProcessorEditor::matrixViewClicked()
{
    // The scope hides behind the view; the refresh keeps its trace current meanwhile.
    const auto wasVisible = modMatrixView->isVisible();
    modMatrixView->setVisible (!wasVisible);
    oscilloscope->setVisible (wasVisible);
    matrixViewButton->setButtonText (wasVisible ? "MOD MATRIX" : "CONTROLS");
}

//==============================================================================
void TavelinAudioProcessorEditor::chainMenuClicked (int chain)
{
    juce::PopupMenu menu;
    menu.addItem (copySettingsItemId, "COPY SETTINGS");
    menu.addItem (pasteSettingsItemId, "PASTE SETTINGS"); // also before a copy, when it does nothing

    // The host may close the window while the menu is open; the choice then finds no editor.
    const auto chosen = [editor = juce::Component::SafePointer<TavelinAudioProcessorEditor> (this), chain] (int itemId)
    {
        if (editor != nullptr)
            editor->chainMenuItemChosen (chain, itemId);
    };

    menu.showMenuAsync (juce::PopupMenu::Options().withTargetComponent (chainMenuButtons[chain]), chosen);
}

void TavelinAudioProcessorEditor::chainMenuItemChosen (int chain, int itemId)
{
    // Before any copy the remembered chain is -1, which names no chain, so a paste copies nothing.
    if (itemId == copySettingsItemId)
        chainCopySourceIndex = chain;
    else if (itemId == pasteSettingsItemId)
        copyChainSettings (chainCopySourceIndex, chain);
}

//==============================================================================
juce::RangedAudioParameter* TavelinAudioProcessorEditor::getChainParameter (int parameterIndex, int chainIndex) const
{
    if (!juce::isPositiveAndBelow (parameterIndex, (int) chainParameterOrder.size()))
        return nullptr;

    const auto& list = processor.getParameterLayout().chainParameterUIDs[(size_t) chainParameterOrder[(size_t) parameterIndex]];
    return processor.valueTreeState.getParameter (list[chainIndex]); // none for the empty identifier
}

void TavelinAudioProcessorEditor::copyChainSettings (int sourceChain, int destinationChain)
{
    if (sourceChain == destinationChain || !juce::isPositiveAndBelow (sourceChain, numChains)
        || !juce::isPositiveAndBelow (destinationChain, numChains))
        return;

    std::vector<std::pair<juce::RangedAudioParameter*, juce::RangedAudioParameter*>> copies;

    for (int k = 0; k < (int) chainParameterOrder.size(); ++k)
        copies.emplace_back (getChainParameter (k, sourceChain), getChainParameter (k, destinationChain));

    // Column by column, each over the chain's six targets: list 6 c + t is chain c's target t.
    const auto& lists = processor.getParameterLayout().chainTargetMatrixUIDs;
    constexpr auto numTargets = (int) Layout::chainTargets.size();
    const auto cellsOf = [&lists] (int chain, int target) -> const juce::StringArray&
    { return lists[(size_t) (numTargets * chain + target)]; };
    const auto parameter = [this] (const juce::String& id)
    { return processor.valueTreeState.getParameter (id); };

    for (int column = 0; column < cellsOf (0, 0).size(); ++column)
        for (int target = 0; target < numTargets; ++target)
            copies.emplace_back (parameter (cellsOf (sourceChain, target)[column]), parameter (cellsOf (destinationChain, target)[column]));

    juce::StringArray pasted;

    for (const auto& copy : copies)
        if (copy.second != nullptr)
            pasted.add (copy.second->paramID);

    processor.getUndoHistory().perform (pasted, [&copies]
                                        {
                                            for (const auto& [source, destination] : copies)
                                                copyValue (source, destination); });
}
