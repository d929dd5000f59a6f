// The host's state chunk: any bytes the host hands back must restore or be ignored, and the
// state written afterwards must read back.
#include "FuzzedProcessor.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto& processor = velk::fuzz::fuzzedProcessor();
    processor.setStateInformation (data, (int) size);

    juce::MemoryBlock chunk;
    processor.getStateInformation (chunk);
    processor.setStateInformation (chunk.getData(), (int) chunk.getSize());

    juce::MidiBuffer midi;
    velk::fuzz::processBlock (processor, 64, midi);
    return 0;
}
