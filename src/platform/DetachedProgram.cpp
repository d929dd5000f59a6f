#include "platform/DetachedProgram.h"

#include "platform/ChildProgram.h"

namespace velk
{
bool DetachedProgram::start (const juce::StringArray& arguments)
{
    // A shell's background job would do too, but it ignores SIGINT and SIGQUIT and reads
    // /dev/null; setsid's fork leaves the program as it was given.
    juce::StringArray command{ "/usr/bin/setsid", "--fork" };
    command.addArray (arguments);

    ChildProgram setsid;
    return setsid.start (command) && setsid.waitForSuccess();
}
} // namespace velk
