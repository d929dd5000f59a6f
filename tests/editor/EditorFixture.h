#pragma once

#include "editor/PluginEditor.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>

namespace tavelin::test
{
/** Delivers every message already waiting on the message thread; never waits for more. */
void pumpMessages();

/** Delivers messages as they come until the condition holds, for at most a few seconds (what
    the framework defers by a timer arrives within milliseconds). Whether the condition held.
*/
bool waitUntil (const std::function<bool()>& condition);

/** A processor and its editor, made and deleted as the host's wrapper does, with no window on
    the screen. Knobs that a test binds through the editor are kept in `knobs` and
    `chainKnobs`, which outlive the editor as its own controls outlive its attachments.
*/
class EditorFixture : public ::testing::Test
{
protected:
    EditorFixture();
    ~EditorFixture() override;

    TavelinAudioProcessorEditor& openEditor();
    void closeEditor();

    /** One run of the editor's 100 ms refresh, without waiting for the timer. */
    void tick();

    /** The whole parameter state, every value as it is now. */
    juce::ValueTree copyState();

    /** The component as drawn at the given scale, on a black background. */
    static juce::Image snapshot (juce::Component&, float scale = 1.0f);

    std::array<std::unique_ptr<velk::VelkKnob>, 8> knobs;
    juce::OwnedArray<velk::VelkKnob> chainKnobs;
    std::unique_ptr<TavelinAudioProcessor> processor = std::make_unique<TavelinAudioProcessor>();
    TavelinAudioProcessorEditor* editor = nullptr;
};
} // namespace tavelin::test
