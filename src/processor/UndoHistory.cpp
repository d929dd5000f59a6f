#include "processor/UndoHistory.h"

#include "processor/ParameterStep.h"

namespace velk
{
UndoHistory::UndoHistory (juce::UndoManager& manager, StateGuard& guardToUse, const juce::AudioProcessorValueTreeState& store)
    : undoManager (manager), guard (guardToUse), valueTreeState (store)
{
}

void UndoHistory::beginGesture (juce::RangedAudioParameter& parameter)
{
    clearIfWanted();
    gestureStarts.insert_or_assign (&parameter, parameter.getValue());
}

void UndoHistory::endGesture (juce::RangedAudioParameter& parameter)
{
    clearIfWanted();

    if (const auto start = gestureStarts.extract (&parameter))
        addStep ({ { &parameter, start.mapped() } }, { { &parameter, parameter.getValue() } });
}

void UndoHistory::perform (const juce::StringArray& parameterIDs, const std::function<void()>& change)
{
    juce::Array<juce::RangedAudioParameter*> parameters;

    for (const auto& id : parameterIDs)
        if (auto* parameter = valueTreeState.getParameter (id))
            parameters.addIfNotAlreadyThere (parameter);

    auto before = StateGuard::currentValues (parameters);
    change();
    addStep (std::move (before), StateGuard::currentValues (parameters));
}

void UndoHistory::undo()
{
    clearIfWanted();
    undoManager.undo();
}

void UndoHistory::redo()
{
    clearIfWanted();
    undoManager.redo();
}

void UndoHistory::clear()
{
    undoManager.clearUndoHistory();
    gestureStarts.clear();
}

void UndoHistory::addStep (ParameterValues before, ParameterValues after)
{
    clearIfWanted();
    ParameterValues changedBefore, changedAfter;

    for (size_t i = 0; i < before.size(); ++i)
    {
        if (before[i].second != after[i].second)
        {
            changedBefore.push_back (before[i]);
            changedAfter.push_back (after[i]);
        }
    }

    if (changedAfter.empty())
        return;

    undoManager.beginNewTransaction();
    undoManager.perform (new ParameterStep (guard, std::move (changedBefore), std::move (changedAfter)));
}

void UndoHistory::clearIfWanted()
{
    if (clearWanted.exchange (false))
        clear();
}
} // namespace velk
