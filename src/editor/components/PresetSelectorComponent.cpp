#include "editor/components/PresetSelectorComponent.h"

#include "editor/controls/UIControlFactory.h"
#include "lookandfeel/VelkColours.h"
#include "processor/PresetsManager.h"

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
    directoryList->refresh();
    fileTree->refresh();
    fileTree->setSelectedFile (file);
}
} // namespace velk
