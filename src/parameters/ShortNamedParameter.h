#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace velk
{
/** A float parameter of the store that answers a shortened name where the host allows fewer
    characters than its full name has. The VST 2.4 wrapper asks for 32, and the matrix names
    cut there fell together ("Matrix_LFO_1_to_Pitch_Shifter_1_Pitch" and "..._Mix" both read
    "Matrix_LFO_1_to_Pitch_Shifter_1_"), so their controls and automation lanes could not be
    told apart. The identifier, and with it the stored state, keeps the full name.

    A VST 2.4 host reads no label where the text carries the unit (getLabel).

    In everything else it is the store's own parameter class, which is final: the default as
    given (not snapped to the interval), the number of steps from the range, the discrete and
    boolean flags, the label and the text functions from the attributes. One thing only the
    store's class can have: the store hears it on a bare setValue. This one reaches the store
    when the change is announced (sendValueChangedMessageToListeners), as it is by
    setValueNotifyingHost, by the host wrappers and by every write in this plug-in.

    A value that is not a number (NaN or infinite) is refused and the parameter keeps the value
    it has: a VST 2.4 host can send one, and the framework's class would store it, so it would
    reach the signal path (a NaN rate brought the process down, a NaN mix silenced every
    sample as NaN). Because of that guard the value can't live in the framework's class, whose
    setValue can't be called from a derived class; it lives in an unpublished instance of it.
*/
class ShortNamedParameter : public juce::RangedAudioParameter
{
public:
    ShortNamedParameter (const juce::ParameterID& parameterID,
                         const juce::String& parameterName,
                         juce::NormalisableRange<float> valueRange,
                         float defaultValue,
                         const juce::AudioProcessorValueTreeStateParameterAttributes& attributes);

    /** The full name where it fits, otherwise the short name, cut to fit if even that doesn't. */
    juce::String getName (int maximumStringLength) const override;

    const juce::NormalisableRange<float>& getNormalisableRange() const override;
    float getValue() const override;

    /** Takes a finite value; ignores any other. */
    void setValue (float newValue) override;

    /** The unit, except to a VST 2.4 host when the parameter's own text already ends with it
        ("50.00 %"): such a host shows the text followed by the label, which read "50.00 % %".
    */
    juce::String getLabel() const override;

    float getDefaultValue() const override;
    int getNumSteps() const override;
    bool isDiscrete() const override;
    bool isBoolean() const override;
    juce::String getText (float normalisedValue, int maximumStringLength) const override;

    /** The value the text reads as; the present value where that isn't a number ("nan"). */
    float getValueForText (const juce::String& text) const override;

private:
    /** The short form of a full name: the "Matrix_" prefix goes, "_Global_Scale" becomes
        " Mod Scale", "_to_" becomes ">", "Pitch_Shifter" becomes "PS", an underscore before a
        digit goes and every other underscore becomes a space. So
        "Matrix_LFO_1_to_Pitch_Shifter_1_Pitch" reads "LFO1>PS1 Pitch" and
        "Matrix_Pitch_Shifter_1_Pitch_Global_Scale" reads "PS1 Pitch Mod Scale".
    */
    static juce::String makeShortName (const juce::String& fullName);

    /** The framework's float parameter, known to no processor: it holds the value and makes the
        texts, so snapping, clamping and formatting are exactly the framework's. Its overrides are
        private, so they are reached through the public interface of its base. */
    juce::AudioParameterFloat valueKeeper;
    juce::AudioProcessorParameter& kept() { return valueKeeper; }
    const juce::AudioProcessorParameter& kept() const { return valueKeeper; }

    const juce::String shortName;
    const float unsnappedDefault;
    const bool discrete, boolean, textCarriesUnit;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ShortNamedParameter)
};
} // namespace velk
