#include "processor/CCMapper.h"

#include "parameters/ParameterChange.h"
#include "processor/XmlFileWriter.h"
#include "processor/XmlReader.h"

#include <thread>

namespace velk
{
namespace
{
    constexpr float controllerToNormalised = 1.0f / 127.0f;
} // namespace

const juce::Identifier CCMapper::midiMapTag{ JucePlugin_Name "_MIDI_MAP" };
const juce::Identifier CCMapper::ccValueProperty{ "cc" };

//==============================================================================
CCMapper::CCMapper()
    : routes (new CCMapSnapshot())
{
    for (auto& value : heldValues)
        value.store (MidiBlockSummary::none);

    midiMap.addListener (this);
}

CCMapper::~CCMapper()
{
    midiMap.removeListener (this);
    delete routes.load();
}

//==============================================================================
void CCMapper::loadMapFromXml (const juce::XmlElement& xml)
{
    if (xml.getTagName().equalsIgnoreCase (midiMapTag.toString()))
        midiMap = juce::ValueTree::fromXml (xml);
}

bool CCMapper::writeMapFile (const juce::File& file) const
{
    return XmlFileWriter::write (*midiMap.createXml(), file, {});
}

void CCMapper::loadMapFile (const juce::File& file)
{
    if (const auto xml = XmlReader::parse (file))
        loadMapFromXml (*xml);
}

//==============================================================================
void CCMapper::apply (const MidiBlockSummary& block) noexcept
{
    if (!block.anyController)
        return;

    lastReceivedCC = block.lastController;

    if (holdingControllers.load())
        for (size_t controller = 0; controller < heldValues.size(); ++controller)
            if (block.controllerValues[controller] != MidiBlockSummary::none)
                heldValues[controller].store (block.controllerValues[controller]);

    moveMappedParameters (block.controllerValues);
}

void CCMapper::holdControllersForPresetLoad() noexcept
{
    for (auto& value : heldValues)
        value.store (MidiBlockSummary::none);

    holdingControllers.store (true);
}

void CCMapper::reapplyHeldControllers()
{
    if (!holdingControllers.exchange (false))
        return;

    ControllerValues values;

    for (size_t controller = 0; controller < values.size(); ++controller)
        values[controller] = heldValues[controller].exchange (MidiBlockSummary::none);

    moveMappedParameters (values);
}

void CCMapper::moveMappedParameters (const ControllerValues& values) const noexcept
{
    readRoutes ([&values] (const CCMapSnapshot& snapshot)
                {
                    if (snapshot.isEmpty())
                        return;

                    for (int controller = 0; controller < MidiBlockSummary::numControllers; ++controller)
                    {
                        const auto value = values[(size_t) controller];

                        if (value == MidiBlockSummary::none)
                            continue;

                        const auto normalised = (float) value * controllerToNormalised;

                        for (auto* parameter : snapshot.getParametersForController (controller))
                            setParameterNotifyingHost (*parameter, normalised);
                    } });
}

void CCMapper::useParameters (const juce::AudioProcessorValueTreeState& parameters)
{
    parameterStore = &parameters;
    publishRoutes();
}

void CCMapper::publishRoutes()
{
    if (parameterStore == nullptr)
        return;

    const std::unique_ptr<const CCMapSnapshot> replaced (routes.exchange (new CCMapSnapshot (midiMap, *parameterStore)));

    // A reader that started before the exchange may still hold the old snapshot; one that starts
    // now gets the new one. Readers stay inside only for one block's controller pass.
    while (activeReaders.load() != 0)
        std::this_thread::yield();
}

void CCMapper::valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&)
{
    publishRoutes();
}
void CCMapper::valueTreeChildAdded (juce::ValueTree&, juce::ValueTree&)
{
    publishRoutes();
}
void CCMapper::valueTreeChildRemoved (juce::ValueTree&, juce::ValueTree&, int)
{
    publishRoutes();
}
void CCMapper::valueTreeChildOrderChanged (juce::ValueTree&, int, int)
{
    publishRoutes();
}
void CCMapper::valueTreeRedirected (juce::ValueTree&)
{
    publishRoutes();
}
} // namespace velk
