#include "parameters/ShortNamedParameter.h"
#include "parameters/ParameterCreation.h"
#include "support/TestAudioProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <sstream>

namespace
{
using Attributes = juce::AudioProcessorValueTreeStateParameterAttributes;

struct Configuration
{
    const char* name;
    juce::NormalisableRange<float> range;
    float defaultValue;
    const char* label;
    bool discrete, boolean;
};

const Configuration configurations[] = {
    { "Percent", { 0.0f, 100.0f, 0.01f }, 50.0f, "%", false, false },
    { "Switch", { 0.0f, 1.0f, 1.0f }, 1.0f, "", false, true },
    { "Skewed", { 0.001f, 20.0f, 0.001f, 0.5f }, 1.0f, "Hz", false, false },
    { "DefaultBetweenSteps", { 0.0f, 10.0f, 1.0f }, 2.6f, "", false, false },
    { "DiscreteIndex", { 0.0f, 17.0f, 1.0f }, 9.0f, "", true, false },
};

void PrintTo (const Configuration& configuration, std::ostream* stream)
{
    *stream << configuration.name;
}

/** Records what the store tells its listeners. */
struct ChangeLog : juce::AudioProcessorValueTreeState::Listener
{
    void parameterChanged (const juce::String& id, float value) override
    {
        entries << id << "=" << value << ";";
    }

    juce::String entries;
};

const float nonFiniteValues[] = { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                  -std::numeric_limits<float>::infinity() };

/** Everything a host or the store can see of one parameter, through a run of writes. With
    offerNonFinite every write is followed by the non-finite values, which must leave no trace. */
std::string observe (std::unique_ptr<juce::RangedAudioParameter> parameter, bool offerNonFinite = false)
{
    tavelin::test::TestParameterStore parameters;
    auto& p = *parameters.store.createAndAddParameter (std::move (parameter));
    parameters.finishCreatingParameters();
    ChangeLog log;
    parameters.store.addParameterListener ("P", &log);
    auto* raw = parameters.store.getRawParameterValue ("P");

    std::ostringstream seen;
    seen << std::setprecision (9) << p.getDefaultValue() << "|" << p.getNumSteps() << "|" << p.isDiscrete()
         << "|" << p.isBoolean() << "|" << p.getLabel() << "|" << (int) p.getCategory() << "|"
         << p.isAutomatable() << "|" << p.isMetaParameter() << "|" << p.isOrientationInverted() << "|"
         << p.getValueForText ("3") << "|" << *raw << "|";

    for (auto value : { 0.0f, 0.3f, 0.5f, 1.0f })
    {
        p.setValueNotifyingHost (value);

        if (offerNonFinite)
            for (auto nonFinite : nonFiniteValues)
                p.setValueNotifyingHost (nonFinite);

        seen << p.getText (value, 0) << "|" << p.getValue() << "|" << *raw << "|";
    }

    juce::ValueTree preset ("Tavelin");
    preset.appendChild (juce::ValueTree ("PARAM").setProperty ("id", "P", nullptr).setProperty ("value", 2.0f, nullptr), nullptr);
    parameters.store.replaceState (preset);
    seen << *raw << "|" << p.getValue() << "|" << parameters.store.copyState().toXmlString() << log.entries;

    parameters.store.removeParameterListener ("P", &log);
    return seen.str();
}

class ShortNamedParameterTest : public testing::TestWithParam<Configuration>
{
};

TEST_P (ShortNamedParameterTest, BehavesAsTheStoresOwnParameter)
{
    const auto& c = GetParam();
    const auto unitText = [] (float v, int)
    { return juce::String (v, 3) + " u"; };
    const auto attributes = Attributes()
                                .withLabel (c.label)
                                .withDiscrete (c.discrete)
                                .withBoolean (c.boolean)
                                .withStringFromValueFunction (unitText);

    EXPECT_EQ (observe (std::make_unique<velk::ShortNamedParameter> (juce::ParameterID{ "P" }, "Name", c.range, c.defaultValue, attributes), true),
               observe (std::make_unique<juce::AudioProcessorValueTreeState::Parameter> (juce::ParameterID{ "P" }, "Name", c.range, c.defaultValue, attributes)));
}

INSTANTIATE_TEST_SUITE_P (Ranges, ShortNamedParameterTest, testing::ValuesIn (configurations),
                          [] (const testing::TestParamInfo<Configuration>& testCase)
                          { return std::string (testCase.param.name); });

class ShortNamedParameterNonFiniteTest : public testing::TestWithParam<std::pair<float, const char*>>
{
};

TEST_P (ShortNamedParameterNonFiniteTest, LeavesTheValueAndTheStoreAlone)
{
    const auto [value, text] = GetParam();
    tavelin::test::TestParameterStore parameters;
    auto* raw = velk::addFloatParameter (parameters.store, "P", "Name", { 0.001f, 20.0f, 0.001f, 0.5f }, 1.0f, "Hz", nullptr);
    parameters.finishCreatingParameters();
    auto& p = *parameters.store.getParameter ("P");
    p.setValueNotifyingHost (0.3f);
    const auto before = p.getValue();
    const auto rawBefore = raw->load();
    ChangeLog log;
    parameters.store.addParameterListener ("P", &log);

    p.setValueNotifyingHost (value);
    const auto valueForText = p.getValueForText (text);

    EXPECT_EQ (p.getValue(), before);
    EXPECT_EQ (raw->load(), rawBefore);
    EXPECT_TRUE (log.entries.isEmpty()) << log.entries;
    EXPECT_TRUE (std::isfinite (valueForText)) << text;
    parameters.store.removeParameterListener ("P", &log);
}

INSTANTIATE_TEST_SUITE_P (Values, ShortNamedParameterNonFiniteTest,
                          testing::Values (std::make_pair (nonFiniteValues[0], "nan"), std::make_pair (nonFiniteValues[1], "inf"),
                                           std::make_pair (nonFiniteValues[2], "-inf")),
                          [] (const testing::TestParamInfo<std::pair<float, const char*>>& testCase)
                          { return std::to_string (testCase.index); });

TEST (ShortNamedParameterNameTest, FullNameWhereItFitsShortNameWhereItDoesNot)
{
    tavelin::test::TestParameterStore parameters;
    const juce::String identifier = "Matrix_LFO_1_to_Pitch_Shifter_1_Pitch";
    velk::addFloatParameter (parameters.store, identifier, identifier, { 0.0f, 100.0f, 0.01f }, 0.0f, "%", nullptr);
    parameters.finishCreatingParameters();
    const auto& parameter = *parameters.store.getParameter (identifier);

    ASSERT_EQ (identifier.length(), 37);
    EXPECT_EQ (parameter.getName (1024), identifier);
    EXPECT_EQ (parameter.getName (37), identifier);
    EXPECT_EQ (parameter.getName (36), "LFO1>PS1 Pitch");
    EXPECT_EQ (parameter.getName (32), "LFO1>PS1 Pitch");
    EXPECT_EQ (parameter.getName (8), "LFO1>PS1");
    EXPECT_EQ (parameters.store.copyState().getChild (0)["id"].toString(), identifier);
}

TEST (ShortNamedParameterLabelTest, AVst2HostGetsNoLabelBesideATextThatCarriesTheUnit)
{
    tavelin::test::TestParameterStore parameters;
    velk::addFloatParameter (parameters.store, "Texted", "Texted", { 0.0f, 100.0f, 0.01f }, 0.0f, "%",
                             [] (float value)
                             { return juce::String (value) + " %"; });
    velk::addFloatParameter (parameters.store, "Plain", "Plain", { 0.0f, 100.0f, 0.01f }, 0.0f, "Hz", nullptr);
    parameters.finishCreatingParameters();
    const auto labels = [&parameters]
    { return parameters.store.getParameter ("Texted")->getLabel() + "|" + parameters.store.getParameter ("Plain")->getLabel(); };

    EXPECT_EQ (labels(), "%|Hz");

    auto& loadedAs = juce::PluginHostType::jucePlugInClientCurrentWrapperType;
    const juce::ScopedValueSetter<juce::AudioProcessor::WrapperType> asVst2 (loadedAs, juce::AudioProcessor::wrapperType_VST);
    EXPECT_EQ (labels(), "|Hz");
}
} // namespace
