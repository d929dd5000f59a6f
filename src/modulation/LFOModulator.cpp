#include "modulation/LFOModulator.h"

#include "modulation/BeatTranslator.h"
#include "modulation/ModulationsManager.h"
#include "parameters/ParameterConversions.h"
#include "parameters/ParameterText.h"

#include <cmath>

namespace velk
{
namespace
{
    constexpr int tableSize = Wavetable<float>::size;
    constexpr int halfTable = tableSize / 2;
    constexpr int smoothRandomSegment = 16;
    constexpr float smoothRandomStep = 1.0f / (float) smoothRandomSegment;

    constexpr float maximumFreeRate = 20.0f;
    constexpr float maximumHighRate = 1000.0f;
    constexpr float fastestSyncIndex = (float) (BeatTranslator::numDivisions - 1);
    constexpr float lastWave = (float) (LFOModulator::numWaves - 1);

    enum Row
    {
        waveRow,
        rateRow,
        syncRow,
        syncedRateRow,
        highRateEnableRow,
        highRateRow
    };

    // Created wave first; the editor's order starts with the rate. The sync switch stays where
    // the user put it when the randomizer runs.
    constexpr std::array<ParameterSpec, 6> parameterRows{ {
        // suffix, name, label, range, default, text, editor position, randomized, modulation target
        { "_Wave", " Wave", "", { 0.0f, lastWave, 1.0f, 1.0f }, 0.0f, LFOModulator::getWaveName, 3, true, true },
        { "_Rate", " Rate", "Hz", { 0.001f, maximumFreeRate, 0.001f, 0.5f }, 1.0f, getHertzWithDecimalsParameterText, 0, true, true },
        { "_Sync", " Sync", "", switchRange, 0.0f, nullptr, 2, false, false },
        { "_Synced_Rate", " Synced Rate", "", { 0.0f, fastestSyncIndex, 1.0f, 1.0f }, 3.0f, getSyncedTimeParameterText, 1, true, false },
        { "_High_Rate_Enable", " High Rate Enable", "", switchRange, 0.0f, nullptr, 4, true, false },
        { "_High_Rate", " High Rate", "Hz", { maximumFreeRate, maximumHighRate, 1.0f, 0.5f }, 60.0f, getHertzParameterText, 5, true, false },
    } };

    const char* const waveNames[LFOModulator::numWaves] = {
        "SINE", "SQUARE", "SAW UP", "SAW DOWN", "TRIANGLE", "RANDOM", "SMOOTH RANDOM"
    };

    using TableEntry = float (*) (int);

    float sineEntry (int i)
    {
        return (float) std::sin (juce::MathConstants<double>::twoPi * (double) i / (double) tableSize);
    }

    float squareEntry (int i)
    {
        return i < halfTable ? 1.0f : -1.0f;
    }

    float sawUpEntry (int i)
    {
        return 2.0f * (float) i / (float) tableSize - 1.0f;
    }

    float sawDownEntry (int i)
    {
        return 2.0f * (1.0f - (float) i / (float) tableSize) - 1.0f;
    }

    float triangleEntry (int i)
    {
        if (i < halfTable)
            return 2.0f * (float) i / (float) halfTable - 1.0f;

        return 2.0f * (1.0f - (float) (i - halfTable) / (float) halfTable) - 1.0f;
    }

    Wavetable<float> makeTable (TableEntry entry)
    {
        Wavetable<float> table;
        table.samples.ensureStorageAllocated (tableSize);

        for (int i = 0; i < tableSize; ++i)
            table.samples.add (entry (i));

        return table;
    }

    float randomLevel (juce::Random& generator)
    {
        return (float) (2.0 * generator.nextDouble() - 1.0);
    }

    Wavetable<float> makeRandomTable()
    {
        juce::Random generator;
        generator.setSeedRandomly();

        Wavetable<float> table;
        table.samples.ensureStorageAllocated (tableSize);

        for (int i = 0; i < tableSize; ++i)
            table.samples.add (randomLevel (generator));

        return table;
    }

    // Straight lines between random anchors every 16 entries, closing the loop from the last
    // anchor back to the first.
    Wavetable<float> makeSmoothRandomTable()
    {
        juce::Random generator;
        generator.setSeedRandomly();

        constexpr int numAnchors = tableSize / smoothRandomSegment;
        float anchors[numAnchors];

        for (auto& anchor : anchors)
            anchor = randomLevel (generator);

        Wavetable<float> table;
        table.samples.ensureStorageAllocated (tableSize);

        for (int i = 0; i < tableSize; ++i)
        {
            const auto segment = i / smoothRandomSegment;

            if (i % smoothRandomSegment == 0)
            {
                table.samples.add (anchors[segment]);
                continue;
            }

            const auto slope = anchors[(segment + 1) % numAnchors] - anchors[segment];
            table.samples.add (table.samples.getUnchecked (i - 1) + slope * smoothRandomStep);
        }

        return table;
    }
} // namespace

//==============================================================================
LFOModulator::LFOModulator (const juce::String& lfoUid)
    : Modulator (lfoUid, parameterRows)
{
    wavetables.reserve ((size_t) numWaves);

    for (auto* entry : { sineEntry, squareEntry, sawUpEntry, sawDownEntry, triangleEntry })
        wavetables.push_back (makeTable (entry));

    wavetables.push_back (makeRandomTable());
    wavetables.push_back (makeSmoothRandomTable());

    for (size_t wave = 0; wave < tableSamples.size(); ++wave)
        tableSamples[wave] = wavetables[wave].samples.getRawDataPointer();
}

LFOModulator::~LFOModulator() = default;

//==============================================================================
void LFOModulator::registerParameters (juce::AudioProcessorValueTreeState& store)
{
    const auto values = createParameters (store);
    waveValue = values[waveRow];
    rateValue = values[rateRow];
    syncValue = values[syncRow];
    syncedRateValue = values[syncedRateRow];
    highRateEnableValue = values[highRateEnableRow];
    highRateValue = values[highRateRow];
}

void LFOModulator::prepareToPlay (double newSampleRate, int)
{
    if (newSampleRate != sampleRate)
    {
        sampleRate = newSampleRate;
        inverseSampleRate = 1.0 / newSampleRate;
    }

    phase = 0.0f;
}

void LFOModulator::processBlock (const juce::AudioBuffer<float>&, juce::MidiBuffer&)
{
    // The audio loop steps every modulator sample by sample; there is no block path.
}

void LFOModulator::precalculateForBlock()
{
    syncOn = isSwitchOn (syncValue->load());
    highRateOn = isSwitchOn (highRateEnableValue->load());

    float frequency;

    if (syncOn)
        frequency = getSyncedFrequency (roundToIndex (syncedRateValue->load()));
    else if (highRateOn)
        frequency = highRateValue->load();
    else
        frequency = rateValue->load();

    waveIndex = roundToIndex (waveValue->load());
    phaseIncrement = (float) inverseSampleRate * frequency;

    Modulator::precalculateForBlock();
}

void LFOModulator::processSingleSample (float)
{
    if (modsActive)
        applyModulation();

    value = nextOutput();
}

void LFOModulator::renderFrames (float* outputs, int numFrames)
{
    // Under modulation every sample polls the matrix, which the per-sample step does.
    if (modsActive || numFrames <= 0)
    {
        Modulator::renderFrames (outputs, numFrames);
        return;
    }

    for (int i = 0; i < numFrames; ++i)
        outputs[i] = nextOutput();

    value = outputs[numFrames - 1];
}

void LFOModulator::skipFrames (int numFrames)
{
    if (modsActive || numFrames <= 0)
    {
        Modulator::skipFrames (numFrames);
        return;
    }

    for (int i = 1; i < numFrames; ++i)
        stepPhase();

    value = nextOutput();
}

//==============================================================================
forcedinline float LFOModulator::nextOutput() noexcept
{
    // The random waves hold one entry per cycle instead of following the phase.
    const auto position = waveIndex >= random ? (float) randomIndex / (float) tableSize : phase;
    const auto y = readTable (position);
    stepPhase();
    return (y + 1.0f) * 0.5f;
}

void LFOModulator::stepPhase() noexcept
{
    const auto readPhase = phase;
    phase = readPhase + phaseIncrement;

    if (phase >= 1.0f)
        phase = (float) (phase - 1.0);

    if (previousPhase > readPhase)
        randomIndex = randomIndex == tableSize - 1 ? 0 : randomIndex + 1;

    previousPhase = readPhase;
}

//==============================================================================
juce::String LFOModulator::getWaveName (float waveValue)
{
    const auto wave = roundToIndex (waveValue);

    if (wave < 0 || wave >= numWaves)
        return {};

    return waveNames[wave];
}

//==============================================================================
float LFOModulator::getSyncedFrequency (int syncIndex) const noexcept
{
    jassert (syncIndex >= 0 && syncIndex < BeatTranslator::numDivisions);
    const auto msPerBar = tempo != nullptr ? tempo->msPerBar : TempoInfo().msPerBar;
    return 1000.0f / BeatTranslator::getPeriodMs (msPerBar, syncIndex);
}

float LFOModulator::readTable (float position) const noexcept
{
    const auto* table = tableSamples[(size_t) waveIndex];

    auto x = position * (float) tableSize;

    if (x >= (float) tableSize)
        x = (float) (tableSize - 1);

    // The phase never goes below zero, where truncation is floor without the library call.
    const auto i = x >= 0.0f ? (int) x : (int) std::floor (x);
    const auto j = i == tableSize - 1 ? 0 : i + 1;
    const auto a = table[i];
    return a + (table[j] - a) * (x - (float) i);
}

// Modulation pushes the rate toward the top of its mode's range (along the square of the
// modulation for free and high rates) and the wave toward SMOOTH RANDOM, every sample.
forcedinline void LFOModulator::applyModulation() noexcept
{
    const auto rateModulation = manager->pollModulationValue (targetIndices[0]);
    const auto waveModulation = manager->pollModulationValue (targetIndices[1]);

    float frequency;

    if (syncOn)
    {
        const auto syncIndex = syncedRateValue->load();
        frequency = getSyncedFrequency (roundToIndex (syncIndex + (fastestSyncIndex - syncIndex) * rateModulation));
    }
    else if (highRateOn)
    {
        const auto highRate = highRateValue->load();
        frequency = highRate + (maximumHighRate - highRate) * rateModulation * rateModulation;
    }
    else
    {
        const auto rate = rateValue->load();
        frequency = rate + (maximumFreeRate - rate) * rateModulation * rateModulation;
    }

    phaseIncrement = (float) inverseSampleRate * frequency;

    // Truncated, not rounded: the top wave is reached only at full modulation.
    const auto wave = waveValue->load();
    waveIndex = (int) (wave + (lastWave - wave) * waveModulation);
}
} // namespace velk
