#include "HostWindow.h"
#include "PluginFixture.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace tavelin::test
{
namespace
{
    /** What the plug-in writes to standard error while it lives, read back at any time. */
    class CapturedStandardError
    {
    public:
        CapturedStandardError()
        {
            std::fflush (stderr);
            saved = dup (STDERR_FILENO);
            file = std::tmpfile();
            dup2 (fileno (file), STDERR_FILENO);
        }

        ~CapturedStandardError()
        {
            std::fflush (stderr);
            dup2 (saved, STDERR_FILENO);
            close (saved);
            std::fclose (file);
        }

        int count (const std::string& line) const
        {
            std::fflush (stderr);
            std::rewind (file);
            int found = 0;
            char buffer[256];

            while (std::fgets (buffer, sizeof (buffer), file) != nullptr)
                found += line + "\n" == buffer ? 1 : 0;

            std::fseek (file, 0, SEEK_END);
            return found;
        }

    private:
        int saved = -1;
        std::FILE* file = nullptr;
    };

    constexpr int reopenings = 50;
    constexpr int idleCallsBetween = 5;
} // namespace

/** A host that closes and re-makes the editor, as Ardour does when its generic controls are
    shown and hidden: effEditGetRect, effEditOpen, idle calls, effEditClose, idle calls.
*/
class EditorReopening : public PluginFixture
{
protected:
    void idle()
    {
        for (int i = 0; i < idleCallsBetween; ++i)
            host->dispatch (effEditIdle);
    }

    HostWindow window;
    CapturedStandardError standardError;
};

TEST_F (EditorReopening, NothingOfTheEditorOutlivesEffEditClose)
{
    std::size_t windowsOfThePluginWhileClosed = 0;

    for (int cycle = 0; cycle < reopenings; ++cycle)
    {
        ERect* rect = nullptr;
        host->dispatch (effEditGetRect, 0, 0, &rect);
        ASSERT_EQ (host->dispatch (effEditOpen, 0, 0, window.handle()), 1);
        idle();

        const auto embedded = window.children();
        ASSERT_EQ (embedded.size(), 1u) << "cycle " << cycle;

        host->dispatch (effEditClose);

        // Every editor object the wrapper made is gone, and its timer with it.
        EXPECT_EQ (standardError.count ("Plugin editor closed"), standardError.count ("Plugin editor launched"))
            << "cycle " << cycle;
        EXPECT_TRUE (window.children().empty()) << "cycle " << cycle;

        idle();

        // The plug-in keeps windows of its own that no editor needs; once closed, an editor
        // leaves none of its windows behind.
        const auto windowsNow = window.windowsOfClientOf (embedded.front());

        if (cycle == 0)
            windowsOfThePluginWhileClosed = windowsNow;

        EXPECT_EQ (windowsNow, windowsOfThePluginWhileClosed) << "cycle " << cycle;
    }

    EXPECT_EQ (standardError.count ("Plugin editor launched"), 2 * reopenings);
    EXPECT_EQ (HostWindow::errorsSoFar(), 0);
}
} // namespace tavelin::test
