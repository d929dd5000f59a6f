#include "editor/components/PresetSelectorComponent.h"

#include "editor/controls/UIControlFactory.h"
#include "lookandfeel/VelkColours.h"
#include "processor/PresetsManager.h"

#include <utility>

namespace velk
{
namespace
{
    constexpr int titleStripHeight = 16;
    constexpr int closeButtonSize = 14;
    constexpr int scanThreadStopTimeoutMs = 5000;
} // namespace

PresetSelectorComponent::PresetSelectorComponent()
{
    directoryScanThread.startThread();

    directoryList = std::make_unique<juce::DirectoryContentsList> (nullptr, directoryScanThread);
    directoryList->setDirectory (juce::File (PresetsManager::presetsFolderPath), true, true);
    directoryList->addChangeListener (this);

    fileTree = std::make_unique<juce::FileTreeComponent> (*directoryList);
    fileTree->setColour (juce::TreeView::backgroundColourId, juce::Colours::black.withAlpha ((juce::uint8) 0xCC));
    addAndMakeVisible (*fileTree);

    closeButton.reset (UIControlFactory::createPushButton ("X", VelkColours::grey));
    addAndMakeVisible (*closeButton);
    closeButton->addListener (this);

    setSize (200, 200);
    setOpaque (false);
}

PresetSelectorComponent::~PresetSelectorComponent()
{
    // A scan under way must not reach a list that is being deleted.
    directoryScanThread.stopThread (scanThreadStopTimeoutMs);
    directoryList->removeChangeListener (this);
}

//==============================================================================
void PresetSelectorComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::transparentBlack);

    g.setColour (VelkColours::dark_grey);
    g.fillRect (2, 2, juce::jmax (0, getWidth() - 4), titleStripHeight);

    g.setColour (VelkColours::grey);
    g.drawRect (getLocalBounds().toFloat(), 2.0f);
}

void PresetSelectorComponent::resized()
{
    const auto width = juce::jmax (0, getWidth() - 4);
    const auto height = juce::jmax (0, getHeight() - 4);

    fileTree->setBounds (2, titleStripHeight + 2, width, juce::jmax (0, height - titleStripHeight));
    closeButton->setBounds (width - closeButtonSize, 3, closeButtonSize, closeButtonSize);
    closeButton->toFront (false);
}

void PresetSelectorComponent::buttonClicked (juce::Button* button)
{
    if (button == closeButton.get())
        setVisible (false);
}

//==============================================================================
void PresetSelectorComponent::refreshAndSelect (const juce::File& file)
{
    fileToSelect = file;
    directoryList->refresh();
    fileTree->refresh();
}

void PresetSelectorComponent::changeListenerCallback (juce::ChangeBroadcaster*)
{
    // The tree's own deferred selection retries on a timer that can run between the end of the
    // scan and the tree's rebuild, and then drops the file: select only after the last change
    // of the scan has reached the tree, which also listens to this list.
    if (fileToSelect != juce::File() && !directoryList->isStillLoading())
        triggerAsyncUpdate();
}

void PresetSelectorComponent::handleAsyncUpdate()
{
    fileTree->setSelectedFile (std::exchange (fileToSelect, {}));
}
} // namespace velk
