#include "editor/EditorFixture.h"

#include <juce_events/juce_events.h>

namespace juce
{
// The message loop's own step on Linux: runs one pending event, or returns false when none is
// waiting (with true) or waits for the next (with false). No modal loop is needed for it.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace tavelin::test
{
void pumpMessages()
{
    while (juce::dispatchNextMessageOnSystemQueue (true))
    {
    }
}

bool waitUntil (const std::function<bool()>& condition)
{
    constexpr double limitMs = 5000.0;
    const auto deadline = juce::Time::getMillisecondCounterHiRes() + limitMs;

    for (;;)
    {
        pumpMessages();

        if (condition())
            return true;

        if (juce::Time::getMillisecondCounterHiRes() > deadline)
            return false;

        juce::dispatchNextMessageOnSystemQueue (false);
    }
}

//==============================================================================
EditorFixture::EditorFixture() = default;

EditorFixture::~EditorFixture()
{
    closeEditor();
}

TavelinAudioProcessorEditor& EditorFixture::openEditor()
{
    editor = dynamic_cast<TavelinAudioProcessorEditor*> (processor->createEditorIfNeeded());
    jassert (editor != nullptr);
    return *editor;
}

void EditorFixture::closeEditor()
{
    if (editor == nullptr)
        return;

    processor->editorBeingDeleted (editor);
    delete std::exchange (editor, nullptr);
}

void EditorFixture::tick()
{
    editor->timerCallback();
}

juce::ValueTree EditorFixture::copyState()
{
    return processor->copyState();
}

juce::Image EditorFixture::snapshot (juce::Component& component, float scale)
{
    const auto drawn = component.createComponentSnapshot (component.getLocalBounds(), true, scale);
    juce::Image image (juce::Image::ARGB, drawn.getWidth(), drawn.getHeight(), true, juce::SoftwareImageType());
    juce::Graphics g (image);
    g.fillAll (juce::Colours::black);
    g.drawImageAt (drawn, 0, 0);
    return image;
}
} // namespace tavelin::test
