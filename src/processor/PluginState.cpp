#include "processor/PluginState.h"

#include "processor/PresetsManager.h"
#include "processor/StateChunk.h"

namespace velk
{
const juce::String PluginState::presetNameXmlTag{ "Preset_Metadata" };
const juce::String PluginState::presetNameXmlAttribute{ "Preset_Name" };
const juce::String PluginState::stateTreeType{ "Tavelin" };

PluginState::PluginState (juce::AudioProcessorValueTreeState& store, CCMapper& mapper, CurrentPreset& currentPreset)
    : valueTreeState (store), ccMapper (mapper), current (currentPreset)
{
}

void PluginState::write (juce::MemoryBlock& destData) const
{
    auto xml = valueTreeState.copyState().createXml();

    if (xml == nullptr)
        xml = std::make_unique<juce::XmlElement> (stateTreeType);

    xml->addChildElement (ccMapper.createMapXml().release());

    xml->createNewChildElement (presetNameXmlTag)->setAttribute (presetNameXmlAttribute, current.getName());
    StateChunk::write (*xml, destData);
}

void PluginState::read (const void* data, int sizeInBytes)
{
    const auto xml = StateChunk::read (data, sizeInBytes);

    if (xml == nullptr)
        return;

    if (const auto map = StateChunk::takeFirstChildNamed (*xml, CCMapper::midiMapTag.toString()))
        ccMapper.loadMapFromXml (*map);

    if (const auto metadata = StateChunk::takeFirstChildNamed (*xml, presetNameXmlTag))
        current.setName (metadata->getStringAttribute (presetNameXmlAttribute));

    valueTreeState.replaceState (PresetsManager::createParameterTree (*xml));
}
} // namespace velk
