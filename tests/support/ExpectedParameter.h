#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <gtest/gtest.h>

namespace tavelin::test
{
/** One row of a parameter table: what the host must see for a parameter. */
struct ExpectedParameter
{
    const char* id;
    const char* name;
    const char* label;
    float start, end, interval, skew, defaultValue;
    const char* defaultText;
};

/** Checks every store parameter, in host order, against the table's rows. */
template <size_t numRows>
void expectParametersMatch (const juce::Array<juce::AudioProcessorParameter*>& parameters,
                            const ExpectedParameter (&expected)[numRows])
{
    ASSERT_GE (parameters.size(), (int) numRows);

    for (size_t i = 0; i < numRows; ++i)
    {
        const auto& e = expected[i];
        SCOPED_TRACE (e.id);
        auto* parameter = dynamic_cast<juce::RangedAudioParameter*> (parameters[(int) i]);
        ASSERT_NE (parameter, nullptr);
        const auto& range = parameter->getNormalisableRange();

        EXPECT_EQ (parameter->getParameterID(), e.id);
        EXPECT_EQ (parameter->getName (100), e.name);
        EXPECT_EQ (parameter->getLabel(), e.label);
        EXPECT_EQ (range.start, e.start);
        EXPECT_EQ (range.end, e.end);
        EXPECT_EQ (range.interval, e.interval);
        EXPECT_EQ (range.skew, e.skew);
        EXPECT_FLOAT_EQ (parameter->convertFrom0to1 (parameter->getDefaultValue()), e.defaultValue);
        EXPECT_EQ (parameter->getText (parameter->getDefaultValue(), 100), e.defaultText);
        EXPECT_FALSE (parameter->isDiscrete());
        EXPECT_FALSE (parameter->isBoolean());
    }
}
} // namespace tavelin::test
