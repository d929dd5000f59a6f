#pragma once

#include "modulation/Modulator.h"
#include "modulation/TempoInfo.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <memory>
#include <vector>

namespace velk
{
//==============================================================================
/** Owns the modulators, the ordered list of modulation targets and the modulation matrix,
    and answers how far each target is modulated.

    The matrix is read again only in a block after one of its cells or the global depth
    changed: the manager listens to those parameters and the listener only raises a flag,
    which the next refreshMatrixForBlock() takes.

    Every row of the matrix is a target; column c < getNumModulators() holds the signed depth
    of modulator c on it, the last column the target's scale. A negative depth inverts its
    source (1 - output); modulation only ever pushes a parameter toward the top of its range.
*/
class ModulationsManager : private juce::AudioProcessorValueTreeState::Listener
{
public:
    /** "Matrix_", the prefix of every matrix cell identifier. */
    static const juce::String matrixParameterPrefix;

    /** "Modulations_Global_Scale", the depth of the whole matrix. */
    static const juce::String globalModDepthParameterUID;

    /** `hostIsAbletonLive` decides whether resetMatrixParameters() sends change gestures;
        Live mishandles gestures that the system itself starts.
    */
    ModulationsManager (juce::AudioProcessorValueTreeState& store,
                        TempoInfo& tempoInfo,
                        bool hostIsAbletonLive = juce::PluginHostType().isAbletonLive());
    ~ModulationsManager() override;

    //==============================================================================
    // Construction phase (message thread), in this order: modulators and modules register
    // their targets, then createMatrixParameters().

    /** Takes ownership of a modulator (registered before); its position is its matrix column. */
    Modulator* addModulator (std::unique_ptr<Modulator> modulator);

    /** Appends one target and returns its index. */
    int registerTarget (const juce::String& targetId);

    /** Appends every name in order and pushes each new index onto `targetIndices`. */
    void registerTargets (const juce::StringArray& targetIds, std::vector<int>& targetIndices);

    /** Creates the matrix cells, target-major, then "Modulations_Global_Scale". */
    void createMatrixParameters();

    //==============================================================================
    /** "Matrix_<modulator>_to_<target>" for a modulator column, "Matrix_<target>_Global_Scale"
        for the scale column, empty for a column beyond it.
    */
    juce::String getModMatrixParameterUID (int target, int column) const;

    int getNumModulators() const noexcept { return modulators.size(); }
    Modulator* getModulator (int index) const noexcept { return modulators[index]; }
    int getNumTargets() const noexcept { return targetNames.size(); }
    const juce::StringArray& getTargetNames() const noexcept { return targetNames; }
    TempoInfo* getTempo() const noexcept { return tempo; }

    //==============================================================================
    // Audio thread.

    /** Reads the matrix when a cell or the global depth changed since the last read (and in the
        first block), then lets every modulator prepare its block.
    */
    void refreshMatrixForBlock();

    /** The modulation of a target right now, in [0, 1]; 0 when the matrix doesn't reach it. */
    float pollModulationValue (int target) const noexcept
    {
        const auto t = (size_t) target;

        // A target registered after the matrix was created has no row.
        if (t >= targetStates.size() || !targetStates[t].active)
            return 0.0f;

        // An active target has at least one source.
        const auto& state = targetStates[t];
        const auto* source = state.sources;
        const auto* const end = source + state.numSources;
        float sum = 0.0f;

        do
            sum += source->contribution (source->modulator->getValue());
        while (++source != end);

        return clampToUnit ((state.scale * sum) * globalDepth);
    }

    /** The same by identifier, for the block-call variants; 0 for an unknown identifier. */
    float pollModulationValue (const juce::String& targetId) const noexcept;

    /** The most frames that one renderFrames() call takes. */
    static constexpr int maxRenderFrames = 64;

    /** Steps every modulator through `numFrames` samples (at most maxRenderFrames) and keeps
        their outputs, so that the modules can take a stretch of frames at once. The outputs are
        those of as many per-sample steps: while some modulator follows the matrix itself, all
        of them step sample by sample in list order, as the per-sample path does.
    */
    void renderFrames (int numFrames) noexcept;

    /** The modulation of a target after each frame of the last renderFrames(): what
        pollModulationValue() answers after each of those steps.
    */
    const float* getModulationFrames (int target) noexcept;

    /** True when the target's scale and at least one of its depths are non-zero in this block
        (the global depth is not looked at).
    */
    bool areModsActiveForTarget (int target) const noexcept;

    /** True when areModsActiveForTarget() holds for any of the given targets. */
    bool areModsActiveForTargets (const std::vector<int>& targets) const noexcept;

    /** The summed depth of a target in [0, 1], independent of the modulators' outputs and of
        the depths' signs, for the editor's modulation rings; 0 for an unknown identifier.
        Any thread: read from the parameters at the call.
    */
    float getTargetDisplayDepth (const juce::String& targetId) const noexcept;

    /** The same by index, as the last refreshMatrixForBlock() read the matrix: for the audio
        thread, which asks for every target in every block.
    */
    float getTargetDisplayDepth (int target) const noexcept
    {
        return (size_t) target < displayDepths.size() ? displayDepths[(size_t) target] : 0.0f;
    }

    //==============================================================================
    /** Every matrix cell and every target's scale (not the global depth), target by target. */
    juce::StringArray getMatrixParameterUIDs() const;

    /** Sets every matrix cell (not the global depth) back to its default (message thread). */
    void resetMatrixParameters (juce::AudioProcessorValueTreeState& store);

private:
    //==============================================================================
    void parameterChanged (const juce::String& parameterID, float newValue) override;
    void readMatrix() noexcept;
    float computeDisplayDepth (int target) const noexcept;

    juce::AudioProcessorValueTreeState& valueTreeState;
    juce::OwnedArray<Modulator> modulators;
    TempoInfo* tempo;
    juce::StringArray targetNames;
    std::vector<std::vector<std::atomic<float>*>> matrixParameterValues;
    std::atomic<float>* globalDepthParameter = nullptr;
    float globalDepth = 1.0f;

    // The two selections that the processor's maximum and minimum make, so that loops over
    // frames vectorise; a NaN passes through both.
    static float clampToUnit (float x) noexcept
    {
        const auto atLeastZero = x < 0.0f ? 0.0f : x;
        return atLeastZero > 1.0f ? 1.0f : atLeastZero;
    }

    // What a poll needs of one target in this block: its non-zero depths in column order, so
    // that the per-sample sum skips the empty columns of a sparse matrix without a test.
    struct ActiveSource
    {
        // A negative depth inverts its source.
        float contribution (float output) const noexcept
        {
            return positive ? output * amount : (1.0f - output) * absoluteAmount;
        }

        const Modulator* modulator;
        size_t column;
        float amount;
        float absoluteAmount;
        bool positive;
    };

    // Sixteen bytes, so that a row is found by a shift; `sources` is the row's first entry in
    // activeSources.
    struct TargetState
    {
        const ActiveSource* sources;
        float scale;
        short numSources;
        bool active;
        bool anyDepthAndScale;
    };

    std::vector<TargetState> targetStates;
    std::vector<ActiveSource> activeSources;
    std::vector<float> displayDepths;
    size_t sourcesPerTarget = 0;
    std::atomic<bool> matrixChanged{ true };

    // renderFrames() output: maxRenderFrames values per modulator, then per target.
    std::vector<float> modulatorFrames;
    std::vector<float> targetFrames;
    std::vector<bool> columnsRead;
    std::array<float, maxRenderFrames> silentFrames{};
    int numRenderedFrames = 0;
    const bool hostIsLive;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModulationsManager)
};
} // namespace velk
