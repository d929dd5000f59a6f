#include "processor/PresetLoader.h"

#include "processor/ParameterLayout.h"
#include "processor/PresetsManager.h"
#include "processor/SignalPath.h"

namespace velk
{
namespace
{
    /** Processing resumes even when the load throws. */
    struct ScopedSuspension
    {
        explicit ScopedSuspension (juce::AudioProcessor& p)
            : processor (p) { processor.suspendProcessing (true); }
        ~ScopedSuspension() { processor.suspendProcessing (false); }

        juce::AudioProcessor& processor;
    };
} // namespace

PresetLoader::PresetLoader (juce::AudioProcessor& processorToSuspend, juce::AudioProcessorValueTreeState& store,
                            SignalPath& path, CurrentPreset& currentPreset)
    : processor (processorToSuspend), valueTreeState (store), signalPath (path), current (currentPreset)
{
}

std::array<juce::RangedAudioParameter*, 3> PresetLoader::getStartUpParameters (const juce::AudioProcessorValueTreeState& store,
                                                                               const ParameterLayout& layout)
{
    return { store.getParameter (layout.chainBypassUIDs[1]),
             store.getParameter (layout.chainBypassUIDs[2]),
             store.getParameter (layout.chainParameterUIDs[ParameterLayout::gainerGain][0]) };
}

void PresetLoader::loadStartUpPreset (const ParameterLayout& layout)
{
    for (auto* parameter : getStartUpParameters (valueTreeState, layout))
    {
        parameter->setValue (1.0f);
        parameter->sendValueChangedMessageToListeners (1.0f);
    }

    for (const auto* name : { PresetsManager::defaultPresetName, factoryPresetName })
    {
        const auto file = PresetsManager::getPresetFile (name);

        // A file that does not load names nothing: the parameters keep their start-up values,
        // and the next candidate gets its turn.
        if (file.existsAsFile() && PresetsManager::loadPreset (file, valueTreeState).wasOk())
        {
            current.setFile (file);
            return;
        }
    }
}

void PresetLoader::loadProgramChangePreset (const juce::File& file)
{
    if (!file.existsAsFile())
        return;

    // Suspending waits for a block in progress and keeps the next ones out of the modules.
    const ScopedSuspension suspension (processor);
    PresetsManager::loadPreset (file, valueTreeState);
    signalPath.cleanUp();
}
} // namespace velk
