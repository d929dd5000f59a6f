#include "processor/CCMapper.h"

#include "parameters/ParameterChange.h"
#include "processor/XmlFileWriter.h"
#include "processor/XmlReader.h"

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
}

CCMapper::~CCMapper()
{
    delete routes.load();
}

//==============================================================================
void CCMapper::assignController (const juce::String& parameterId, int controller)
{
    const juce::ScopedLock lock (mapLock);
    midiMap.getOrCreateChildWithName (parameterId, nullptr).setProperty (ccValueProperty, controller, nullptr);
    publishRoutes();
}

void CCMapper::removeAssignment (const juce::String& parameterId)
{
    const juce::ScopedLock lock (mapLock);
    midiMap.removeChild (midiMap.getChildWithName (parameterId), nullptr);
    publishRoutes();
}

void CCMapper::clearMap()
{
    const juce::ScopedLock lock (mapLock);

    for (auto child = midiMap.getNumChildren(); --child >= 0;)
        midiMap.removeChild (child, nullptr);

    publishRoutes();
}

juce::ValueTree CCMapper::getMap() const
{
    const juce::ScopedLock lock (mapLock);
    return midiMap.createCopy();
}

std::unique_ptr<juce::XmlElement> CCMapper::createMapXml() const
{
    const juce::ScopedLock lock (mapLock);
    return midiMap.createXml();
}

bool CCMapper::loadMapFromXml (const juce::XmlElement& xml)
{
    if (!xml.getTagName().equalsIgnoreCase (midiMapTag.toString()))
        return false;

    auto loaded = juce::ValueTree::fromXml (xml);
    const juce::ScopedLock lock (mapLock);
    midiMap = std::move (loaded);
    publishRoutes();
    return true;
}

juce::Result CCMapper::writeMapFile (const juce::File& file) const
{
    return XmlFileWriter::write (*createMapXml(), file, {});
}

juce::Result CCMapper::loadMapFile (const juce::File& file)
{
    juce::String failure;
    const auto xml = XmlReader::parse (file, failure);

    if (xml == nullptr)
        return juce::Result::fail (failure);

    if (!loadMapFromXml (*xml))
        return juce::Result::fail ("it holds no MIDI map");

    return juce::Result::ok();
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

void CCMapper::reapplyHeldControllers (bool keepHolding)
{
    if (!(keepHolding ? holdingControllers.load() : holdingControllers.exchange (false)))
        return;

    ControllerValues values;

    for (size_t controller = 0; controller < values.size(); ++controller)
        values[controller] = keepHolding ? heldValues[controller].load()
                                         : heldValues[controller].exchange (MidiBlockSummary::none);

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
    const juce::ScopedLock lock (mapLock);
    parameterStore = &parameters;
    publishRoutes();
}

void CCMapper::publishRoutes()
{
    if (parameterStore == nullptr)
        return;

    retiredRoutes.emplace_back (routes.exchange (new CCMapSnapshot (midiMap, *parameterStore)));

    // A reader that started before the exchange may still hold a retired snapshot, and may be
    // calling the host from there, while the host waits for this thread: it is never waited for.
    // One that starts now gets the new snapshot, so once no reader is inside, no one holds a
    // retired one.
    if (activeReaders.load() == 0)
        retiredRoutes.clear();
}
} // namespace velk
