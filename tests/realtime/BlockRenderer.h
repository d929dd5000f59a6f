#pragma once

#include "processor/PluginProcessor.h"

#include <vector>

namespace velk::test
{
/** Feeds a prepared processor stereo blocks of seeded noise or of silence from buffers made
    up front, so that rendering a block allocates nothing of its own.
*/
class BlockRenderer
{
public:
    /** The noise repeats after this many frames. */
    static constexpr int noiseLength = 1 << 16;

    BlockRenderer (TavelinAudioProcessor& processorToDrive, double sampleRate, int blockSizeToUse)
        : processor (processorToDrive),
          blockSize (blockSizeToUse),
          buffer (2, blockSizeToUse),
          noise (2 * (size_t) noiseLength)
    {
        juce::Random random (20261207);

        for (auto& x : noise)
            x = (random.nextFloat() * 2.0f - 1.0f) * 0.5f;

        processor.prepareToPlay (sampleRate, blockSize);
    }

    /** One block of noise, continuing where the last one ended. */
    void renderNoise()
    {
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < blockSize; ++i)
                buffer.setSample (ch, i, noise[(size_t) (ch * noiseLength + (noisePosition + i) % noiseLength)]);

        noisePosition = (noisePosition + blockSize) % noiseLength;
        processor.processBlock (buffer, midi);
    }

    void renderSilence()
    {
        buffer.clear();
        processor.processBlock (buffer, midi);
    }

    /** Blocks of noise until at least numFrames frames have passed. */
    void renderNoiseFrames (juce::int64 numFrames)
    {
        for (juce::int64 done = 0; done < numFrames; done += blockSize)
            renderNoise();
    }

    int getBlockSize() const noexcept { return blockSize; }
    const juce::AudioBuffer<float>& getBuffer() const noexcept { return buffer; }

    /** The MIDI that goes with every block; fill it before rendering. */
    juce::MidiBuffer midi;

private:
    TavelinAudioProcessor& processor;
    const int blockSize;
    juce::AudioBuffer<float> buffer;
    std::vector<float> noise;
    int noisePosition = 0;
};
} // namespace velk::test
