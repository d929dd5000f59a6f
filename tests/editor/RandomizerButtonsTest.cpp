#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"

namespace tavelin::test
{
using Randomizer = velk::ParametersRandomizer;

/** A button's text, and how many parameters of the effects, LFO and matrix groups its click moves. */
struct ButtonRow
{
    const char* text;
    const char* moved;
};

void PrintTo (const ButtonRow& row, std::ostream* out)
{
    *out << row.text;
}

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
    std::array<juce::Array<float>, Randomizer::numberOfGroups> before;

    for (int group = 0; group < Randomizer::numberOfGroups; ++group)
        before[(size_t) group] = groupValues (group);

    for (auto* button : childrenOfType<juce::TextButton> (openEditor()))
        if (button->getButtonText() == GetParam().text)
            button->triggerClick();

    pumpMessages();
    juce::StringArray moved;

    for (int group = 0; group < Randomizer::numberOfGroups; ++group)
    {
        const auto after = groupValues (group);
        int count = 0;

        for (int i = 0; i < after.size(); ++i)
            count += after[i] != before[(size_t) group][i] ? 1 : 0;

        moved.add (count == 0 ? "none" : count == 1 ? "one"
                                                    : "many");
    }

    EXPECT_EQ (moved.joinIntoString (" "), GetParam().moved) << "cells at their default stay there";
}

INSTANTIATE_TEST_SUITE_P (Groups, RandomizerButtons,
                          testing::Values (ButtonRow{ "FX", "many none none" }, ButtonRow{ "LFO", "none many none" },
                                           ButtonRow{ "MATRIX", "none none one" }, ButtonRow{ "ALL", "many many one" }));
} // namespace tavelin::test
