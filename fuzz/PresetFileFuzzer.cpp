// A preset file of any content: it loads or fails, and the sound stays finite either way.
#include "FuzzedProcessor.h"

#include "processor/PresetsManager.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto& processor = velk::fuzz::fuzzedProcessor();
    static const auto file = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("fuzzed.vtp");

    if (!file.replaceWithData (data, size))
        return 0;

    velk::PresetsManager::loadPreset (file, processor.valueTreeState);

    juce::MidiBuffer midi;
    velk::fuzz::processBlock (processor, 64, midi);
    return 0;
}
