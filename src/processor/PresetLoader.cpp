#include "processor/PresetLoader.h"

#include "processor/ParameterLayout.h"
#include "processor/PresetsManager.h"
#include "processor/SignalPath.h"

namespace velk
{
PresetLoader::PresetLoader (StateGuard& guardToUse, UndoHistory& undoHistory, juce::AudioProcessorValueTreeState& store,
                            SignalPath& path, CCMapper& mapper, CurrentPreset& currentPreset,
                            ProgramChangeRequest& programChangeRequest)
    : guard (guardToUse), history (undoHistory), valueTreeState (store), signalPath (path), ccMapper (mapper), current (currentPreset),
      request (programChangeRequest)
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

    // A file that does not load names nothing: the next candidate gets its turn.
    for (const auto* name : { PresetsManager::defaultPresetName, factoryPresetName })
        if (load (PresetsManager::getPresetFile (name)).wasOk())
            return;
}

juce::Result PresetLoader::load (const juce::File& file, ModuleMemories memories)
{
    return load (file, memories, false);
}

void PresetLoader::loadRequestedProgramChange()
{
    // Taken before the file is read: a program change that arrives during the load is a new
    // request, not one that this load answers.
    if (const auto file = request.take(); file != juce::File())
        load (file, ModuleMemories::clear, true);
}

juce::Result PresetLoader::load (const juce::File& file, ModuleMemories memories, bool forProgramChange)
{
    juce::String failure;
    const auto state = PresetsManager::readPreset (file, failure);

    if (!state.isValid())
        return juce::Result::fail (failure);

    {
        // The controllers go back before processing resumes, so that no block hears the
        // preset without them.
        const StateGuard::Suspension suspension (guard);
        guard.writeState (state, [this, memories, &file]
                          {
                              // With the values, so that a host reading the state meanwhile
                              // gets one preset's name and values, never two presets' halves.
                              current.setFile (file);

                              if (memories == ModuleMemories::clear)
                                  signalPath.cleanUp(); });

        // A program change that came while this one loaded must lose to those controllers too.
        if (forProgramChange)
            ccMapper.reapplyHeldControllers (request.isWaiting());

        listeners.call ([] (Listener& l)
                        { l.presetPutInPlace(); });
    }

    history.clear();
    return juce::Result::ok();
}
} // namespace velk
