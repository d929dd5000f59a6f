#include "processor/CCMapper.h"
#include "ServicesTestProcessor.h"
#include "processor/PresetsManager.h"

#include <gtest/gtest.h>

namespace
{
using tavelin::test::ServicesTestProcessor;
using velk::CCMapper;

class CCMapperTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE (folder.createDirectory()); }
    void TearDown() override { folder.deleteRecursively(); }

    static void map (CCMapper& mapper, const juce::String& parameterID, int controller)
    {
        mapper.assignController (parameterID, controller);
    }

    /** The map as (child type, controller number) pairs, in child order. */
    static std::vector<std::pair<juce::String, int>> describe (const CCMapper& mapper)
    {
        std::vector<std::pair<juce::String, int>> children;

        for (const auto& child : mapper.getMap())
            children.emplace_back (child.getType().toString(), static_cast<int> (child[CCMapper::ccValueProperty]));

        return children;
    }

    /** The parameters that the audio thread would move for a controller. */
    static juce::StringArray routesFor (const CCMapper& mapper, int controller)
    {
        juce::StringArray ids;
        mapper.readRoutes ([&] (const velk::CCMapSnapshot& routes)
                           {
                               for (auto* parameter : routes.getParametersForController (controller))
                                   ids.add (parameter->paramID); });
        return ids;
    }

    CCMapper mapper;
    juce::File folder = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("maps");
    juce::File mapFile = folder.getChildFile ("Map.vtcc");
};

//==============================================================================
TEST_F (CCMapperTest, StartsWithAnEmptyMapAndNoControllerReceived)
{
    const auto map = mapper.getMap();
    EXPECT_TRUE (map.isValid());
    EXPECT_EQ (map.getType().toString(), "Tavelin_MIDI_MAP");
    EXPECT_EQ (map.getNumChildren(), 0);
    EXPECT_EQ (map.getNumProperties(), 0);
    EXPECT_EQ (mapper.lastReceivedCC.load(), -1);
    EXPECT_EQ (CCMapper::ccValueProperty.toString(), "cc");
}

TEST_F (CCMapperTest, MapFileRoundTripKeepsChildrenTheirOrderAndNumbers)
{
    map (mapper, "Delay_1_Time", 12);
    map (mapper, "Panner_1_Pan", 7);
    map (mapper, "Not_A_Parameter", 7);
    map (mapper, "LFO_1_Wave", -1);
    ASSERT_TRUE (mapper.writeMapFile (mapFile));

    CCMapper restored;
    restored.loadMapFile (mapFile);

    EXPECT_EQ (restored.getMap().getType(), CCMapper::midiMapTag);
    EXPECT_EQ (describe (restored), describe (mapper));
}

TEST_F (CCMapperTest, MapFileIsUtf8WithCrLfAndNoDtd)
{
    ASSERT_TRUE (mapper.writeMapFile (mapFile));
    EXPECT_EQ (mapFile.loadFileAsString(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Tavelin_MIDI_MAP/>\r\n");

    map (mapper, "Delay_1_Time", 12);
    ASSERT_TRUE (mapper.writeMapFile (mapFile));
    EXPECT_EQ (mapFile.loadFileAsString(),
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Tavelin_MIDI_MAP>\r\n  <Delay_1_Time cc=\"12\"/>\r\n</Tavelin_MIDI_MAP>\r\n");
}

TEST_F (CCMapperTest, WriteIntoMissingFolderReportsFailure)
{
    EXPECT_FALSE (mapper.writeMapFile (folder.getChildFile ("missing").getChildFile ("Map.vtcc")));
}

//==============================================================================
TEST_F (CCMapperTest, MapTagIsComparedWithoutRegardToCase)
{
    const auto xml = juce::parseXML ("<tavelin_midi_map><Delay_1_Time cc=\"3\"/></tavelin_midi_map>");

    mapper.loadMapFromXml (*xml);

    EXPECT_EQ (mapper.getMap().getType().toString(), "tavelin_midi_map");
    EXPECT_EQ (describe (mapper), (std::vector<std::pair<juce::String, int>>{ { "Delay_1_Time", 3 } }));
}

TEST_F (CCMapperTest, LoadedNumbersStayTextAndReadAsTheirIntegerPart)
{
    const auto xml = juce::parseXML ("<Tavelin_MIDI_MAP><A cc=\"12.7\"/><B/><C cc=\"abc\"/></Tavelin_MIDI_MAP>");

    mapper.loadMapFromXml (*xml);

    EXPECT_TRUE (mapper.getMap().getChild (0)[CCMapper::ccValueProperty].isString());
    EXPECT_EQ (describe (mapper), (std::vector<std::pair<juce::String, int>>{ { "A", 12 }, { "B", 0 }, { "C", 0 } }));
}

TEST_F (CCMapperTest, PresetFileIsNotTakenAsAMap)
{
    map (mapper, "Delay_1_Time", 12);
    ServicesTestProcessor processor;
    ASSERT_TRUE (velk::PresetsManager::savePreset (processor.store.copyState(), mapFile).wasOk());

    mapper.loadMapFile (mapFile);

    EXPECT_EQ (describe (mapper), (std::vector<std::pair<juce::String, int>>{ { "Delay_1_Time", 12 } }));
}

TEST_F (CCMapperTest, FileThatDoesNotParseChangesNothing)
{
    map (mapper, "Delay_1_Time", 12);
    ASSERT_TRUE (mapFile.replaceWithText ("<Tavelin_MIDI_MAP><Delay_1_Time cc=\"1\">"));

    mapper.loadMapFile (mapFile);
    mapper.loadMapFile (folder.getChildFile ("Missing.vtcc"));

    EXPECT_EQ (describe (mapper), (std::vector<std::pair<juce::String, int>>{ { "Delay_1_Time", 12 } }));
}

TEST_F (CCMapperTest, LearnAssignsReassignsAndRemovesOneChildPerParameter)
{
    using Map = std::vector<std::pair<juce::String, int>>;

    const auto copyBefore = mapper.getMap();
    map (mapper, "Delay_1_Time", 12);
    map (mapper, "Panner_1_Pan", 12);
    map (mapper, "Delay_1_Time", 3);
    EXPECT_EQ (describe (mapper), (Map{ { "Delay_1_Time", 3 }, { "Panner_1_Pan", 12 } }));
    EXPECT_TRUE (mapper.getMap().getChild (0)[CCMapper::ccValueProperty].isInt());

    mapper.removeAssignment ("Delay_1_Time");
    mapper.removeAssignment ("Not_Mapped");
    EXPECT_EQ (describe (mapper), (Map{ { "Panner_1_Pan", 12 } }));

    mapper.clearMap();
    EXPECT_TRUE (describe (mapper).empty());
    EXPECT_EQ (copyBefore.getNumChildren(), 0) << "a copy is the map of its moment";
    EXPECT_EQ (mapper.createMapXml()->toString (juce::XmlElement::TextFormat().singleLine().withoutHeader()), "<Tavelin_MIDI_MAP/>");
}

//==============================================================================
TEST_F (CCMapperTest, RoutesAreEmptyUntilParametersAreGiven)
{
    map (mapper, "Panner_1_Pan", 7);

    EXPECT_TRUE (routesFor (mapper, 7).isEmpty());
}

TEST_F (CCMapperTest, EveryEditOfTheMapIsPublishedToTheAudioThreadView)
{
    ServicesTestProcessor processor;
    map (mapper, "Panner_1_Pan", 7);
    mapper.useParameters (processor.store);
    EXPECT_EQ (routesFor (mapper, 7), juce::StringArray ("Panner_1_Pan"));

    map (mapper, "Delay_1_Time", 7);
    EXPECT_EQ (routesFor (mapper, 7), juce::StringArray ("Panner_1_Pan", "Delay_1_Time"));

    map (mapper, "Panner_1_Pan", 9);
    EXPECT_EQ (routesFor (mapper, 7), juce::StringArray ("Delay_1_Time"));
    EXPECT_EQ (routesFor (mapper, 9), juce::StringArray ("Panner_1_Pan"));

    mapper.removeAssignment ("Panner_1_Pan");
    map (mapper, "Panner_1_Pan", 7);
    EXPECT_EQ (routesFor (mapper, 7), juce::StringArray ("Delay_1_Time", "Panner_1_Pan"));

    mapper.loadMapFromXml (*juce::parseXML ("<Tavelin_MIDI_MAP><LFO_1_Wave cc=\"1\"/></Tavelin_MIDI_MAP>"));
    EXPECT_TRUE (routesFor (mapper, 7).isEmpty());
    EXPECT_EQ (routesFor (mapper, 1), juce::StringArray ("LFO_1_Wave"));

    mapper.clearMap();
    EXPECT_TRUE (routesFor (mapper, 1).isEmpty());
}
} // namespace
