#include "processor/StateGuard.h"

#include "processor/NumberReader.h"

#include <map>

namespace velk
{
namespace
{
    // The type the parameter store gives a parameter's child of its tree.
    const juce::Identifier parameterType{ "PARAM" };

    juce::RangedAudioParameter& ranged (juce::AudioProcessorParameter* parameter)
    {
        // Every parameter of the store is one.
        return *static_cast<juce::RangedAudioParameter*> (parameter);
    }
} // namespace

const juce::Identifier StateGuard::valueProperty{ "value" };
const juce::Identifier StateGuard::idProperty{ "id" };

StateGuard::StateGuard (juce::AudioProcessor& processorToGuard, juce::AudioProcessorValueTreeState& store)
    : processor (processorToGuard), valueTreeState (store)
{
}

//==============================================================================
StateGuard::Suspension::Suspension (StateGuard& guardToUse)
    : guard (guardToUse)
{
    guard.suspend();
}

StateGuard::Suspension::~Suspension()
{
    guard.resume();
}

void StateGuard::suspend()
{
    // Suspending waits for a block in progress; a second suspension finds none.
    const juce::ScopedLock lock (suspensionLock);

    if (suspensions++ == 0)
        processor.suspendProcessing (true);
}

void StateGuard::resume()
{
    const juce::ScopedLock lock (suspensionLock);

    if (--suspensions == 0)
        processor.suspendProcessing (false);
}

void StateGuard::changeMemories (const std::function<void()>& change)
{
    const Suspension suspension (*this);
    const juce::ScopedLock lock (stateLock);
    change();
}

//==============================================================================
void StateGuard::writeState (const juce::ValueTree& state, const std::function<void()>& alsoUnderLock)
{
    juce::Array<juce::RangedAudioParameter*> changed;

    {
        const juce::ScopedLock lock (stateLock);
        changed = setQuietly (valuesOf (state));
        keptState = state.createCopy();

        if (alsoUnderLock)
            alsoUnderLock();
    }

    announce (changed);
}

void StateGuard::writeValues (const ParameterValues& values)
{
    juce::Array<juce::RangedAudioParameter*> changed;

    {
        const juce::ScopedLock lock (stateLock);
        changed = setQuietly (values);
    }

    announce (changed);
}

juce::ValueTree StateGuard::readState (const std::function<void()>& alsoReadUnderLock) const
{
    const juce::ScopedLock lock (stateLock);
    auto state = keptState.isValid() ? keptState.createCopy() : juce::ValueTree (valueTreeState.state.getType());
    std::map<juce::String, bool> written;

    for (auto child : state)
    {
        if (auto* parameter = valueTreeState.getParameter (child[idProperty].toString()))
        {
            child.setProperty (valueProperty, parameter->convertFrom0to1 (parameter->getValue()), nullptr);
            written[parameter->paramID] = true;
        }
    }

    for (auto* parameter : processor.getParameters())
    {
        auto& withId = ranged (parameter);

        if (!written[withId.paramID])
            state.appendChild ({ parameterType, { { idProperty, withId.paramID }, { valueProperty, withId.convertFrom0to1 (withId.getValue()) } } },
                               nullptr);
    }

    if (alsoReadUnderLock)
        alsoReadUnderLock();

    return state;
}

ParameterValues StateGuard::currentValues (const juce::Array<juce::RangedAudioParameter*>& parameters)
{
    ParameterValues values;

    for (auto* parameter : parameters)
        values.emplace_back (parameter, parameter->getValue());

    return values;
}

//==============================================================================
ParameterValues StateGuard::valuesOf (const juce::ValueTree& state) const
{
    // As the store reads a tree: the last child naming a parameter gives its value.
    std::map<juce::String, juce::var> given;

    for (const auto& child : state)
        given[child[idProperty].toString()] = child[valueProperty];

    ParameterValues values;

    for (auto* parameter : processor.getParameters())
    {
        auto& withId = ranged (parameter);
        const auto found = given.find (withId.paramID);
        const auto plain = found != given.end() && !found->second.isVoid() ? (float) NumberReader::readDouble (found->second)
                                                                           : withId.convertFrom0to1 (withId.getDefaultValue());
        values.emplace_back (&withId, withId.convertTo0to1 (plain));
    }

    return values;
}

juce::Array<juce::RangedAudioParameter*> StateGuard::setQuietly (const ParameterValues& values)
{
    juce::Array<juce::RangedAudioParameter*> changed;

    for (const auto& [parameter, value] : values)
    {
        const auto before = parameter->getValue();
        parameter->setValue (value);

        if (parameter->getValue() != before)
            changed.add (parameter);
    }

    return changed;
}

void StateGuard::announce (const juce::Array<juce::RangedAudioParameter*>& parameters)
{
    // The value as it is now: another writer may have come in between, and must not be undone.
    for (auto* parameter : parameters)
        parameter->sendValueChangedMessageToListeners (parameter->getValue());
}
} // namespace velk
