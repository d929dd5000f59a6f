#pragma once

#include "modulation/TempoInfo.h"
#include "parameters/ParameterTable.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <vector>

namespace velk
{
class ModulationsManager;

//==============================================================================
/** A modulation source: one output in [0, 1] per sample, some parameters of its own, and
    some of those offered as modulation targets. The modulation manager owns every modulator
    and reads `getValue()` while it answers polls.
*/
class Modulator
{
public:
    /** `parameters`: the modulator's table, whose rows outlive the modulator. */
    explicit Modulator (const juce::String& uid, ParameterTable parameters = {});
    virtual ~Modulator();

    //==============================================================================
    /** Creates the modulator's parameters and keeps pointers to their raw values. */
    virtual void registerParameters (juce::AudioProcessorValueTreeState& store);

    virtual void prepareToPlay (double newSampleRate, int blockSize) = 0;

    /** Whole-block alternative to the per-sample step; the audio loop never calls it. */
    virtual void processBlock (const juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) = 0;

    /** Once per block, after the manager has refreshed the matrix. Overrides read their own
        parameters and then call this, which decides whether the matrix reaches the
        modulator's own targets in this block.
    */
    virtual void precalculateForBlock();

    /** Advances one sample and updates the output; the argument is not read. */
    virtual void processSingleSample (float input) = 0;

    /** Advances `numFrames` samples and writes the output after each into `outputs`: the
        same as that many processSingleSample() calls, which is what this base version makes.
    */
    virtual void renderFrames (float* outputs, int numFrames);

    /** The same advance when no one reads the outputs: only the last stays, in getValue().
        This base version steps sample by sample.
    */
    virtual void skipFrames (int numFrames);

    /** The identifiers of the modulatable parameters, in target order. */
    juce::StringArray getModulationParameterNames() const;

    /** The identifier of the modulator's parameter number `index` in the editor's order; empty
        when unknown.
    */
    juce::String getParameterUID (int index) const;

    const ParameterTable& getParameterTable() const noexcept { return parameterTable; }

    //==============================================================================
    /** Appends `names` to the manager's targets and remembers their indices. */
    void registerModulationTargets (ModulationsManager* newManager, const juce::StringArray& names);

    /** The tempo the modulator converts synced divisions with; not owned. */
    void setTempo (const TempoInfo* newTempo) noexcept { tempo = newTempo; }

    float getValue() const noexcept { return value; }
    const juce::String& getUID() const noexcept { return uid; }
    const std::vector<int>& getTargetIndices() const noexcept { return targetIndices; }
    bool areModsActive() const noexcept { return modsActive; }

protected:
    /** Creates the table's parameters and returns their raw values in table order. */
    std::vector<std::atomic<float>*> createParameters (juce::AudioProcessorValueTreeState& store) const;

    //==============================================================================
    double sampleRate = 44100.0;
    double inverseSampleRate = 1.0 / 44100.0;
    juce::String uid;
    float value = 0.0f;
    ModulationsManager* manager = nullptr;
    const TempoInfo* tempo = nullptr;
    std::vector<int> targetIndices;
    bool modsActive = false;

private:
    ParameterTable parameterTable;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Modulator)
};
} // namespace velk
