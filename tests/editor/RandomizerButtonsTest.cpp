#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"

#include <set>

namespace tavelin::test
{
namespace
{
    using Group = velk::ParametersRandomizer::Group;

    struct ButtonRow
    {
        const char* text;
        std::set<int> groupsMoved;
    };

    void PrintTo (const ButtonRow& row, std::ostream* out)
    {
        *out << row.text;
    }
} // namespace

class RandomizerButtons : public EditorFixture, public testing::WithParamInterface<ButtonRow>
{
protected:
    juce::TextButton& button (const juce::String& text)
    {
        for (auto* candidate : childrenOfType<juce::TextButton> (*editor))
            if (candidate->getButtonText() == text)
                return *candidate;

        throw std::runtime_error ("no button " + text.toStdString());
    }

    juce::Array<float> groupValues (int group) const
    {
        juce::Array<float> values;

        for (const auto& id : processor->parametersRandomizer.getParameterGroup (group))
            values.add (processor->valueTreeState.getParameter (id)->getValue());

        return values;
    }

    /** How many of the group's parameters differ between two readings. */
    static int numMoved (const juce::Array<float>& before, const juce::Array<float>& after)
    {
        int moved = 0;

        for (int i = 0; i < before.size(); ++i)
            moved += before[i] != after[i] ? 1 : 0;

        return moved;
    }
};

TEST_P (RandomizerButtons, EachButtonMovesItsGroupsOnlyAndTheMatrixOnlyWhereACellIsSet)
{
    const auto matrixCell = processor->parametersRandomizer.getParameterGroup (Group::matrixGroup)[0];
    processor->valueTreeState.getParameter (matrixCell)->setValueNotifyingHost (0.75f);
    processor->parametersRandomizer.random.setSeed (3);
    openEditor();

    std::array<juce::Array<float>, velk::ParametersRandomizer::numberOfGroups> before;

    for (int group = 0; group < (int) before.size(); ++group)
        before[(size_t) group] = groupValues (group);

    button (GetParam().text).triggerClick();
    pumpMessages();

    for (int group = 0; group < (int) before.size(); ++group)
    {
        const auto moved = numMoved (before[(size_t) group], groupValues (group));

        if (GetParam().groupsMoved.count (group) == 0)
            EXPECT_EQ (moved, 0) << "group " << group;
        else if (group == Group::matrixGroup)
            EXPECT_EQ (moved, 1); // only the cell away from its default
        else
            EXPECT_GT (moved, 0) << "group " << group;
    }
}

INSTANTIATE_TEST_SUITE_P (Groups, RandomizerButtons,
                          testing::Values (ButtonRow{ "FX", { Group::effectsGroup } }, ButtonRow{ "LFO", { Group::lfoGroup } },
                                           ButtonRow{ "MATRIX", { Group::matrixGroup } },
                                           ButtonRow{ "ALL", { Group::effectsGroup, Group::lfoGroup, Group::matrixGroup } }));
} // namespace tavelin::test
