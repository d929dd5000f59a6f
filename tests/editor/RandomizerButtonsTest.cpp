#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"

#include <set>

namespace tavelin::test
{
namespace
{
    using Randomizer = velk::ParametersRandomizer;

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
    juce::Array<float> groupValues (int group) const
    {
        juce::Array<float> values;

        for (const auto& id : processor->parametersRandomizer.getParameterGroup (group))
            values.add (processor->valueTreeState.getParameter (id)->getValue());

        return values;
    }
};

TEST_P (RandomizerButtons, EachButtonMovesItsGroupsOnlyAndTheMatrixOnlyWhereACellIsSet)
{
    const auto setCell = processor->parametersRandomizer.getParameterGroup (Randomizer::matrixGroup)[0];
    processor->valueTreeState.getParameter (setCell)->setValueNotifyingHost (0.75f);
    processor->parametersRandomizer.random.setSeed (3);
    openEditor();
    std::array<juce::Array<float>, Randomizer::numberOfGroups> before;

    for (int group = 0; group < Randomizer::numberOfGroups; ++group)
        before[(size_t) group] = groupValues (group);

    for (auto* button : childrenOfType<juce::TextButton> (*editor))
        if (button->getButtonText() == GetParam().text)
            button->triggerClick();

    pumpMessages();

    for (int group = 0; group < Randomizer::numberOfGroups; ++group)
    {
        const auto after = groupValues (group);
        int moved = 0;

        for (int i = 0; i < after.size(); ++i)
            moved += after[i] != before[(size_t) group][i] ? 1 : 0;

        if (GetParam().groupsMoved.count (group) == 0)
            EXPECT_EQ (moved, 0) << "group " << group;
        else if (group == Randomizer::matrixGroup)
            EXPECT_EQ (moved, 1); // cells at their default stay there
        else
            EXPECT_GT (moved, 0) << "group " << group;
    }
}

INSTANTIATE_TEST_SUITE_P (Groups, RandomizerButtons,
                          testing::Values (ButtonRow{ "FX", { Randomizer::effectsGroup } }, ButtonRow{ "LFO", { Randomizer::lfoGroup } },
                                           ButtonRow{ "MATRIX", { Randomizer::matrixGroup } },
                                           ButtonRow{ "ALL", { Randomizer::effectsGroup, Randomizer::lfoGroup, Randomizer::matrixGroup } }));
} // namespace tavelin::test
