#pragma once

#include "modulation/ModulationsManager.h"
#include "modulation/TempoInfo.h"
#include "parameters/ParameterTable.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <vector>

namespace velk
{

//==============================================================================
/** A sound-processing unit, driven in three stages:

    - precalculateForBlock() once per block: read parameters, re-aim ramps, compute the values
      used through the block and find out whether the matrix reaches the module;
    - calc() once per frame, before channel 0's sample: advance the ramps and, only while
      modulated, recompute the working values;
    - processSingleSample() once per sample and channel.

    The processor runs the last two stages a stretch of stereo frames at a time through
    processFrames(), which gives the same samples as the frame-by-frame calls.
*/
class AudioEffectModule
{
public:
    /** The feedback knob's top (100 %) feeds back this much, so that repeats always die away. */
    static constexpr double maxFeedbackGain = 0.96;

    /** `parameters`: the module's table, whose rows outlive the module. */
    AudioEffectModule (const juce::String& moduleUid, int numChannelsToKeep, ParameterTable parameters = {});
    virtual ~AudioEffectModule();

    //==============================================================================
    /** Creates the module's parameters and keeps pointers to their raw values. */
    virtual void registerParameters (juce::AudioProcessorValueTreeState& store);

    /** Sizes every memory; the only place the module allocates. */
    virtual void prepareToPlay (double newSampleRate, int blockSize) = 0;

    /** Processes a whole buffer with the block-start values (not used by the processor's
        per-sample path, except for the DC blocker).
    */
    virtual void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int numSamples) = 0;

    /** Overrides compute their block values first and call this last, so that
        areModsActive() holds for the frames of the block.
    */
    virtual void precalculateForBlock();

    /** Instead of precalculateForBlock() in a block in which the module's chain is bypassed.
        A bypassed module neither moves its ramps nor runs its memories, so what
        precalculateForBlock() works out is worked out again, from the same state, in the block
        in which the chain rejoins. Only a setting whose effect depends on every value it
        passed through, not on the last one alone, is followed here; this version follows none.
    */
    virtual void precalculateForBypassedBlock();

    virtual void calc();

    virtual float processSingleSample (float x, int channel) = 0;

    /** The most frames that one processFrames() call takes: those of one modulation render. */
    static constexpr int maxFrames = ModulationsManager::maxRenderFrames;

    /** Processes `numFrames` stereo frames in place, each as calc() followed by
        processSingleSample() on the left and then the right sample would, with the modulation
        that the manager rendered for these frames (ModulationsManager::renderFrames()).
    */
    virtual void processFrames (float* left, float* right, int numFrames) = 0;

    /** Silences the audio memory (delay lines, filter states) after a preset load; parameters
        and ramps stay.
    */
    virtual void cleanUp();

    /** The identifiers of the module's modulatable parameters, in target order. */
    juce::StringArray getModulationParameterNames() const;

    /** The identifier of the module's parameter number `index` in the editor's order; empty
        when unknown.
    */
    juce::String getParameterUID (int index) const;

    const ParameterTable& getParameterTable() const noexcept { return parameterTable; }

    //==============================================================================
    /** Appends the module's modulation parameter names to the manager's targets and keeps
        their indices, so that the audio thread can ask the manager by index.
    */
    void registerModulationTargets (ModulationsManager& modulationsManager);

    /** The host tempo record; not owned. Only the delay reads it. */
    void setTempo (const TempoInfo* newTempo) noexcept { tempo = newTempo; }

    const juce::String& getUID() const noexcept { return uid; }
    const std::vector<int>& getTargetIndices() const noexcept { return targetIndices; }
    bool areModsActive() const noexcept { return modsActive; }

protected:
    //==============================================================================
    /** The first step of every prepareToPlay. */
    void setSampleRate (double newSampleRate) noexcept;

    /** Creates the table's parameters and returns their raw values in table order. */
    std::vector<std::atomic<float>*> createParameters (juce::AudioProcessorValueTreeState& store) const;

    /** The modulation of this module's target number `targetSlot`, in [0, 1]. */
    float pollModulation (int targetSlot) const noexcept;

    /** The same for every frame of the manager's last renderFrames(). */
    const float* getModulationFrames (int targetSlot) const noexcept;

    double sampleRate = 44100.0;
    double inverseSampleRate = 1.0 / 44100.0;
    juce::String uid;
    int numChannels;
    ModulationsManager* manager = nullptr;
    const TempoInfo* tempo = nullptr;
    std::vector<int> targetIndices;
    bool modsActive = false;

private:
    ParameterTable parameterTable;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AudioEffectModule)
};
} // namespace velk
