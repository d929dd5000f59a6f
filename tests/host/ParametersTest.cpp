#include "PluginFixture.h"

#include <algorithm>
#include <array>
#include <set>
#include <sstream>

namespace tavelin::test
{
namespace
{
    /** The VST 2.4 wrapper hands hosts at most this many characters of a name. */
    constexpr std::size_t hostNameLength = 32;

    const std::vector<std::string> targetOrder{
        "LFO_1_Rate", "LFO_1_Wave", "LFO_2_Rate", "LFO_2_Wave", "LFO_3_Rate", "LFO_3_Wave", "LFO_4_Rate", "LFO_4_Wave",
        "Macro_1_Offset", "Macro_2_Offset", "Macro_3_Offset",
        "Pitch_Shifter_1_Pitch", "Pitch_Shifter_1_Mix", "Delay_1_Time", "Delay_1_Mix", "Gainer_1_Gain", "Panner_1_Pan",
        "Pitch_Shifter_2_Pitch", "Pitch_Shifter_2_Mix", "Delay_2_Time", "Delay_2_Mix", "Gainer_2_Gain", "Panner_2_Pan",
        "Pitch_Shifter_3_Pitch", "Pitch_Shifter_3_Mix", "Delay_3_Time", "Delay_3_Mix", "Gainer_3_Gain", "Panner_3_Pan",
        "Filter_Cut", "Filter_Res", "Dry_Wet"
    };

    /** How often the units stand as words in a text. */
    int countUnits (const std::string& text)
    {
        static const std::array<std::string, 5> units{ "%", "Hz", "dB", "Ms", "Semi" };
        std::istringstream words (text);
        int count = 0;

        for (std::string word; words >> word;)
            count += (int) std::count (units.begin(), units.end(), word);

        return count;
    }
} // namespace

using HostParameters = PluginFixture;

TEST_F (HostParameters, HostSees333Parameters)
{
    EXPECT_EQ (host->effect().numParams, 333);
}

TEST_F (HostParameters, NamesFollowTheLayout)
{
    EXPECT_EQ (host->parameterName (0), "LFO_1 Wave");
    EXPECT_EQ (host->parameterName (6), "LFO_2 Wave");
    EXPECT_EQ (host->parameterName (24), "Macro_1 Offset");
    EXPECT_EQ (host->parameterName (37), "Gainer_1 Gain");
    EXPECT_EQ (host->parameterName (39), "Chain_Bypass_0");
    EXPECT_EQ (host->parameterName (52), "Chain_Bypass_1");
    EXPECT_EQ (host->parameterName (53), "Chain 2 Serial Mode");
    EXPECT_EQ (host->parameterName (67), "Chain 3 Serial Mode");
    EXPECT_EQ (host->parameterName (71), "Amplitude");
    EXPECT_EQ (host->parameterName (72), "Dry-Wet");
    EXPECT_EQ (host->parameterName (73), "Chain 1 to Filter");
    EXPECT_EQ (host->parameterName (75), "Chain 3 to Filter");
    EXPECT_EQ (host->parameterName (332), "Global Mod Scale");
}

TEST_F (HostParameters, EveryNameIsDistinctAndFitsTheHost)
{
    std::set<std::string> names;

    for (int index = 0; index < host->effect().numParams; ++index)
    {
        const auto name = host->parameterName (index);
        EXPECT_LE (name.size(), hostNameLength) << name;
        EXPECT_TRUE (names.insert (name).second) << "index " << index << " repeats " << name;
    }

    EXPECT_EQ (names.size(), 333u);
}

TEST_F (HostParameters, MatrixCellsThatFitAreNamedByTheirIdentifiersAndTheRestInShort)
{
    const std::vector<std::string> modulators{ "LFO_1", "LFO_2", "LFO_3", "LFO_4", "Macro_1", "Macro_2", "Macro_3" };
    int index = 76, numShortened = 0;

    const auto expectNameFor = [&] (const std::string& identifier)
    {
        const auto name = host->parameterName (index++);

        if (identifier.size() <= hostNameLength)
        {
            EXPECT_EQ (name, identifier);
            return;
        }

        EXPECT_EQ (name.rfind ("Matrix_", 0), std::string::npos) << name;
        ++numShortened;
    };

    for (const auto& target : targetOrder)
    {
        for (const auto& modulator : modulators)
            expectNameFor ("Matrix_" + modulator + "_to_" + target);

        expectNameFor ("Matrix_" + target + "_Global_Scale");
    }

    EXPECT_EQ (index, 332);
    EXPECT_EQ (numShortened, 54);
}

TEST_F (HostParameters, ShortNamesDropThePrefixAndAbbreviateTheModules)
{
    const auto matrixIndex = [] (const std::string& target, int column)
    {
        const auto position = std::find (targetOrder.begin(), targetOrder.end(), target) - targetOrder.begin();
        return 76 + 8 * (int) position + column;
    };

    const std::pair<int, const char*> expected[] = {
        { matrixIndex ("Pitch_Shifter_1_Pitch", 0), "LFO1>PS1 Pitch" },
        { matrixIndex ("Pitch_Shifter_1_Mix", 0), "LFO1>PS1 Mix" },
        { matrixIndex ("Pitch_Shifter_3_Pitch", 4), "Macro1>PS3 Pitch" },
        { matrixIndex ("Pitch_Shifter_2_Mix", 7), "PS2 Mix Mod Scale" },
        { matrixIndex ("Macro_2_Offset", 7), "Macro2 Offset Mod Scale" },
        { matrixIndex ("Gainer_1_Gain", 7), "Gainer1 Gain Mod Scale" },
        { matrixIndex ("Macro_2_Offset", 6), "Matrix_Macro_3_to_Macro_2_Offset" },
        { matrixIndex ("Dry_Wet", 7), "Matrix_Dry_Wet_Global_Scale" },
    };

    for (const auto& [index, name] : expected)
        EXPECT_EQ (host->parameterName (index), name) << "index " << index;
}

TEST_F (HostParameters, DisplayTextsAndLabelsAfterStartUp)
{
    EXPECT_EQ (host->parameterDisplay (71), "+0.00 dB");
    EXPECT_EQ (host->parameterLabel (71), "");
    EXPECT_EQ (host->parameterDisplay (72), "100.00 %");
    EXPECT_EQ (host->parameterLabel (72), "");
    EXPECT_EQ (host->parameterDisplay (37), "+0.00 dB");
    EXPECT_EQ (host->parameterDisplay (39), "0");
    EXPECT_EQ (host->parameterDisplay (52), "1");
    EXPECT_EQ (host->parameterDisplay (66), "1");
    EXPECT_EQ (host->parameterDisplay (73), "1");
    EXPECT_EQ (host->parameterDisplay (68), "LPF");
    EXPECT_EQ (host->parameterDisplay (332), "100.00 %");
}

TEST_F (HostParameters, AHostShowingTextThenLabelShowsEveryUnitOnce)
{
    // All but the 22 switches and the 12 parameters shown by name (synced times and rates,
    // waves, the filter mode) have a unit.
    constexpr int parametersWithAUnit = 333 - 22 - 12;

    for (const auto value : { -1.0f, 0.0f, 0.37f, 1.0f })
    {
        int withAUnit = 0;

        for (int index = 0; index < host->effect().numParams; ++index)
        {
            if (value >= 0.0f)
                host->setParameter (index, value);

            const auto shown = host->parameterDisplay (index) + " " + host->parameterLabel (index);
            EXPECT_LE (countUnits (shown), 1) << "index " << index << ": " << shown;
            withAUnit += countUnits (shown) == 1 ? 1 : 0;
        }

        EXPECT_EQ (withAUnit, parametersWithAUnit) << "at " << value;
    }
}

TEST_F (HostParameters, EverySwitchAndKnobHasADisplayText)
{
    for (int index = 0; index < host->effect().numParams; ++index)
        EXPECT_FALSE (host->parameterDisplay (index).empty()) << "index " << index;
}

TEST_F (HostParameters, StartUpValuesAreWhatTheHostReads)
{
    EXPECT_EQ (host->getParameter (39), 0.0f);
    EXPECT_EQ (host->getParameter (52), 1.0f);
    EXPECT_EQ (host->getParameter (66), 1.0f);
    EXPECT_EQ (host->getParameter (37), 1.0f);
    EXPECT_EQ (host->getParameter (72), 1.0f);
}

TEST_F (HostParameters, ValueSetByTheHostReadsBackWithItsText)
{
    host->setParameter (72, 0.5f);

    EXPECT_EQ (host->getParameter (72), 0.5f);
    EXPECT_EQ (host->parameterDisplay (72), "50.00 %");
}
} // namespace tavelin::test
