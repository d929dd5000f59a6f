#pragma once

#include "processor/StateGuard.h"

namespace velk
{
/** One step of the undo history: the values that some parameters had before a change of the
    user's and the values it gave them. Undoing and redoing write them as one state.
*/
class ParameterStep : public juce::UndoableAction
{
public:
    /** The change has been made already: the first perform() leaves the values as they are. */
    ParameterStep (StateGuard& guard, ParameterValues valuesBefore, ParameterValues valuesAfter);

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override;

private:
    StateGuard& guard;
    const ParameterValues before, after;
    bool made = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterStep)
};
} // namespace velk
