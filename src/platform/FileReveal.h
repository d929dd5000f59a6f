#pragma once

#include <juce_core/juce_core.h>

#include <functional>

namespace velk
{
/** Shows a file or a folder to the user in the desktop's file manager.

    The folder goes to xdg-open, as the framework would hand it: a folder opens itself, a file
    opens its folder (with nothing selected), and without xdg-open (or a web browser to fall back
    on) nothing happens. The program runs on by itself and never becomes a child of the host
    (DetachedProgram). Message thread only.
*/
class FileReveal
{
public:
    using Handler = std::function<void (const juce::File&)>;

    /** Shows the target, or hands it to the handler that a ScopedHandler put in place. */
    static void reveal (const juce::File& target);

    /** While it lives, reveal() gives its targets to this handler and starts no program: tests
        capture what would be shown. The handler that was in place before comes back after it.
    */
    class ScopedHandler
    {
    public:
        explicit ScopedHandler (Handler handler);
        ~ScopedHandler();

    private:
        Handler previous;

        JUCE_DECLARE_NON_COPYABLE (ScopedHandler)
    };
};
} // namespace velk
