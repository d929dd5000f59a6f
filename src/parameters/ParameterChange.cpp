#include "parameters/ParameterChange.h"

namespace velk
{
void setParameterNotifyingHost (juce::AudioProcessorParameter& parameter, float normalisedValue, bool withGesture)
{
    if (withGesture)
        parameter.beginChangeGesture();

    parameter.setValueNotifyingHost (normalisedValue);

    if (withGesture)
        parameter.endChangeGesture();
}
} // namespace velk
