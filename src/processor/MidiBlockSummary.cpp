#include "processor/MidiBlockSummary.h"

namespace velk
{
namespace
{
    constexpr juce::uint8 statusMask = 0xf0;
    constexpr juce::uint8 programChangeStatus = 0xc0;
    constexpr juce::uint8 controllerStatus = 0xb0;
    constexpr int maxDataValue = 127;
} // namespace

void MidiBlockSummary::read (const juce::MidiBuffer& midi) noexcept
{
    program = none;
    lastController = none;
    anyController = false;
    controllerValues.fill (none);

    for (const auto event : midi)
    {
        const auto* data = event.data;
        const auto status = (juce::uint8) (data[0] & statusMask);

        if (status == programChangeStatus && event.numBytes >= 2)
        {
            program = data[1];
        }
        else if (status == controllerStatus && event.numBytes >= 3)
        {
            const int controller = data[1];

            if (controller >= numControllers || controller == ignoredController)
                continue;

            lastController = controller;
            anyController = true;
            // A data byte above 127 is malformed MIDI; it must not push a parameter past its range.
            controllerValues[(size_t) controller] = juce::jmin ((int) data[2], maxDataValue);
        }
    }
}
} // namespace velk
