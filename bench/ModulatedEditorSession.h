#pragma once

#include "editor/PluginEditor.h"
#include "realtime/BlockRenderer.h"
#include "realtime/ProcessorScenarios.h"

#include <utility>

namespace tavelin::bench
{
/** A processor with every modulation target modulated, playing noise with its scope on, and
    its editor opened at a UI scale as a host's wrapper opens it, with no window on the screen.
*/
class ModulatedEditorSession
{
public:
    static constexpr double sampleRate = 48000.0;
    static constexpr int blockSize = 512;

    explicit ModulatedEditorSession (float uiScale)
    {
        velk::test::applyScenario (processor, velk::test::Scenario::fullyModulated);
        processor.getPreferences().uiScaleFactor = uiScale;

        // A second of noise fills the scope and lets the delays and LFOs settle.
        renderer.renderNoiseFrames ((juce::int64) sampleRate);
        processor.refreshEditorReadouts();
    }

    ~ModulatedEditorSession() { closeEditor(); }

    TavelinAudioProcessorEditor& openEditor()
    {
        editor = dynamic_cast<TavelinAudioProcessorEditor*> (processor.createEditorIfNeeded());
        jassert (editor != nullptr);
        return *editor;
    }

    void closeEditor()
    {
        if (editor == nullptr)
            return;

        processor.editorBeingDeleted (editor);
        delete std::exchange (editor, nullptr);
    }

    /** One block on the audio side, then what the processor's 50 ms timer publishes of it. */
    void playBlock()
    {
        renderer.renderNoise();
        processor.refreshEditorReadouts();
    }

    TavelinAudioProcessor processor;

private:
    velk::test::BlockRenderer renderer{ processor, sampleRate, blockSize };
    TavelinAudioProcessorEditor* editor = nullptr;

    JUCE_DECLARE_NON_COPYABLE (ModulatedEditorSession)
};
} // namespace tavelin::bench
