// Any MIDI bytes into the audio block. The first byte picks the block size; then each event is
// a sample offset and up to three bytes of message, as a host may pass them on unchecked.
#include "FuzzedProcessor.h"

#include "processor/PresetsManager.h"
#include "processor/ProgramChangeManager.h"

namespace
{
/** Program changes 0 and 1 find presets; controllers 1 and 74 are mapped. */
TavelinAudioProcessor& processorWithPresetsAndMap()
{
    static auto& processor = []() -> TavelinAudioProcessor&
    {
        auto& p = velk::fuzz::fuzzedProcessor();
        const auto folder = velk::ProgramChangeManager::getMidiPresetsFolder();

        for (const auto* name : { "0.vtp", "1.vtp" })
            velk::PresetsManager::savePreset (p.valueTreeState.copyState(), folder.getChildFile (name));

        p.getProgramChangeRequest().midiPresetFileNames = velk::ProgramChangeManager::scanMidiPresetsFolder();

        for (const auto& [parameter, controller] : { std::pair ("Delay_1_Time", 1), std::pair ("Dry_Wet", 74) })
            p.ccMapper.assignController (parameter, controller);

        return p;
    }();

    return processor;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;

    auto& processor = processorWithPresetsAndMap();
    const auto numSamples = (int) data[0] % (velk::fuzz::maxBlockSize + 1);
    juce::MidiBuffer midi;

    for (size_t i = 1; i + 1 < size; i += 4)
    {
        const auto length = (int) std::min<size_t> (3, size - i - 1);
        midi.addEvent (data + i + 1, length, (int) data[i] % (numSamples + 1));
    }

    velk::fuzz::processBlock (processor, numSamples, midi);
    return 0;
}
