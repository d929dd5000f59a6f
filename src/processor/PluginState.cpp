#include "processor/PluginState.h"

#include "processor/PresetsManager.h"
#include "processor/StateChunk.h"

namespace velk
{
const juce::String PluginState::presetNameXmlTag{ "Preset_Metadata" };
const juce::String PluginState::presetNameXmlAttribute{ "Preset_Name" };
const juce::String PluginState::stateTreeType{ "Tavelin" };

PluginState::PluginState (StateGuard& guardToUse, CCMapper& mapper, CurrentPreset& currentPreset)
    : guard (guardToUse), ccMapper (mapper), current (currentPreset)
{
}

void PluginState::write (juce::MemoryBlock& destData) const
{
    std::unique_ptr<juce::XmlElement> map;
    juce::String presetName;
    const auto state = guard.readState ([&]
                                        {
                                            map = ccMapper.createMapXml();
                                            presetName = current.getName(); });
    auto xml = state.createXml();

    if (xml == nullptr)
        xml = std::make_unique<juce::XmlElement> (stateTreeType);

    xml->addChildElement (map.release());
    xml->createNewChildElement (presetNameXmlTag)->setAttribute (presetNameXmlAttribute, presetName);
    StateChunk::write (*xml, destData);
}

bool PluginState::read (const void* data, int sizeInBytes)
{
    const auto xml = StateChunk::read (data, sizeInBytes);

    if (xml == nullptr)
        return false;

    const auto map = StateChunk::takeFirstChildNamed (*xml, CCMapper::midiMapTag.toString());
    const auto metadata = StateChunk::takeFirstChildNamed (*xml, presetNameXmlTag);

    guard.writeState (PresetsManager::createParameterTree (*xml), [&]
                      {
                          if (map != nullptr)
                              ccMapper.loadMapFromXml (*map);

                          if (metadata != nullptr)
                              current.setName (metadata->getStringAttribute (presetNameXmlAttribute)); });
    return true;
}
} // namespace velk
