#pragma once

#include "support/TestAudioProcessor.h"

namespace tavelin::test
{
/** A bare processor with its own parameter store, for testing the processor's services apart
    from the real processor. Its parameters copy the shapes that matter: a continuous knob, a
    skewed rate, stepped and switch parameters, and matrix cells whose default is not their
    range start.
*/
class ServicesTestProcessor : public TestAudioProcessor
{
public:
    static constexpr auto pan = "Panner_1_Pan";                          // 0..100 step 0.01, default 50
    static constexpr auto delayTime = "Delay_1_Time";                    // 1..2000 step 0.01, default 300
    static constexpr auto lfoRate = "LFO_1_Rate";                        // 0.01..20 skew 0.5, default 1
    static constexpr auto lfoWave = "LFO_1_Wave";                        // 0..6 step 1, default 0
    static constexpr auto highRateEnable = "LFO_1_High_Rate_Enable";     // switch, default 0
    static constexpr auto panDepth = "Matrix_LFO_1_to_Panner_1_Pan";     // -100..100, default 0
    static constexpr auto timeDepth = "Matrix_LFO_1_to_Delay_1_Time";    // -100..100, default 0
    static constexpr auto panScale = "Matrix_Panner_1_Pan_Global_Scale"; // 0..100, default 100

    static const juce::StringArray parameterIDs;

    ServicesTestProcessor();

    /** The parameter's value in its own units. */
    float getPlainValue (const juce::String& parameterID) const;

    /** Sets the parameter's value in its own units, as the host would. */
    void setPlainValue (const juce::String& parameterID, float value);

    //==============================================================================
    juce::UndoManager undoManager;
    juce::AudioProcessorValueTreeState store;
};
} // namespace tavelin::test
