// Renders the host tests' scenario with the plug-in code linked in (no VST2 wrapper) and writes
// the output as raw 32-bit floats, block by block, channel 0 then channel 1, to the given file.

#include "RenderScenario.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <fstream>
#include <iostream>

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();

int main (int argc, char** argv)
{
    namespace scenario = tavelin::test::scenario;

    if (argc != 2)
    {
        std::cerr << "usage: tavelin_render_reference <output file>\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    const std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());
    processor->setRateAndBufferSizeDetails (scenario::sampleRate, scenario::blockSize);
    processor->prepareToPlay (scenario::sampleRate, scenario::blockSize);

    for (const auto& setting : scenario::settings)
        processor->getParameters()[setting.hostIndex]->setValueNotifyingHost (setting.normalised);

    std::ofstream out (argv[1], std::ios::binary);
    juce::AudioBuffer<float> buffer (scenario::numChannels, scenario::blockSize);
    juce::MidiBuffer midi;

    for (int block = 0; block < scenario::numBlocks; ++block)
    {
        for (int ch = 0; ch < scenario::numChannels; ++ch)
            for (int i = 0; i < scenario::blockSize; ++i)
                buffer.setSample (ch, i, scenario::inputSample (ch, block * scenario::blockSize + i));

        processor->processBlock (buffer, midi);

        for (int ch = 0; ch < scenario::numChannels; ++ch)
            out.write (reinterpret_cast<const char*> (buffer.getReadPointer (ch)), (std::streamsize) (sizeof (float) * scenario::blockSize));
    }

    return out.good() ? 0 : 1;
}
