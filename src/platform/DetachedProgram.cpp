#include "platform/DetachedProgram.h"

#include "platform/ChildProgram.h"

namespace velk
{
void DetachedProgram::start (const juce::StringArray& arguments)
{
    // A shell's background job would do too, but it ignores SIGINT and SIGQUIT and reads
    // /dev/null; setsid's fork leaves the program as it was given.
    juce::StringArray command{ "/usr/bin/setsid", "--fork" };
    command.addArray (arguments);

    ChildProgram setsid;
    setsid.start (command);
    setsid.waitUntilEnded();
}
} // namespace velk
