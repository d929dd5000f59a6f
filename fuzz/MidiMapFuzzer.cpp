// A MIDI-map file of any content, loaded as the editor's menu loads it, then every controller
// once so that whatever the map routes is applied on the audio thread.
#include "FuzzedProcessor.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto& processor = velk::fuzz::fuzzedProcessor();
    static const auto file = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("fuzzed.vtcc");

    if (!file.replaceWithData (data, size))
        return 0;

    processor.ccMapper.loadMapFile (file);

    juce::MidiBuffer midi;

    for (int controller = 0; controller < 128; ++controller)
        midi.addEvent (juce::MidiMessage::controllerEvent (1 + controller % 16, controller, (controller * 37) % 128), controller % 64);

    velk::fuzz::processBlock (processor, 64, midi);
    return 0;
}
