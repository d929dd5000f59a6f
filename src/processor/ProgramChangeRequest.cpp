#include "processor/ProgramChangeRequest.h"

#include "processor/ProgramChangeManager.h"

namespace velk
{
juce::File ProgramChangeRequest::take()
{
    if (!pendingProgramChange.exchange (false))
        return {};

    return ProgramChangeManager::getPresetFileForMIDIProgramChange (midiPresetFileNames, pendingProgramNumber.load());
}
} // namespace velk
