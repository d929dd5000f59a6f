#pragma once

#include "modulation/Modulator.h"
#include "modulation/Wavetable.h"

#include <array>
#include <atomic>
#include <vector>

namespace velk
{
//==============================================================================
/** A wavetable LFO with seven waves, free (0.001..20 Hz), tempo-synced or high rate
    (20..1000 Hz). Its own rate and wave are modulation targets.
*/
class LFOModulator : public Modulator
{
public:
    enum Wave
    {
        sine = 0,
        square,
        sawUp,
        sawDown,
        triangle,
        random,
        smoothRandom,
        numWaves
    };

    explicit LFOModulator (const juce::String& uid);
    ~LFOModulator() override;

    //==============================================================================
    void registerParameters (juce::AudioProcessorValueTreeState& store) override;
    void prepareToPlay (double newSampleRate, int blockSize) override;
    void processBlock (const juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void precalculateForBlock() override;
    void processSingleSample (float input) override;
    void renderFrames (float* outputs, int numFrames) override;
    void skipFrames (int numFrames) override;

    // Targets: the rate, then the wave. Editor order (getParameterUID): 0 _Rate, 1 _Synced_Rate,
    // 2 _Sync, 3 _Wave, 4 _High_Rate_Enable, 5 _High_Rate.

    //==============================================================================
    /** The text of the _Wave parameter ("SINE" .. "SMOOTH RANDOM"); empty beyond them. */
    static juce::String getWaveName (float waveValue);

    const Wavetable<float>& getWavetable (int wave) const noexcept { return wavetables[(size_t) wave]; }
    float getPhase() const noexcept { return phase; }
    float getPhaseIncrement() const noexcept { return phaseIncrement; }
    int getWaveIndex() const noexcept { return waveIndex; }

private:
    //==============================================================================
    /** Reads the output at the phase, then advances the phase one sample. */
    float nextOutput() noexcept;

    /** Advances the phase one sample and counts the cycles that the random waves step by. */
    void stepPhase() noexcept;
    float getSyncedFrequency (int syncIndex) const noexcept;
    float readTable (float position) const noexcept;
    void applyModulation() noexcept;

    //==============================================================================
    float phase = 0.0f;
    float phaseIncrement = 0.0f;
    std::vector<Wavetable<float>> wavetables;

    // Each table's samples, found once: a modulated wave changes table every sample.
    std::array<const float*, numWaves> tableSamples{};
    float previousPhase = 0.0f;
    int randomIndex = 0;

    std::atomic<float>* rateValue = nullptr;
    std::atomic<float>* waveValue = nullptr;
    std::atomic<float>* syncedRateValue = nullptr;
    std::atomic<float>* syncValue = nullptr;
    std::atomic<float>* highRateEnableValue = nullptr;
    std::atomic<float>* highRateValue = nullptr;

    bool syncOn = false;
    int waveIndex = 0;
    bool highRateOn = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LFOModulator)
};
} // namespace velk
