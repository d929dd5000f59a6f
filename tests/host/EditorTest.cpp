#include "PluginFixture.h"

#include <filesystem>
#include <fstream>
#include <utility>

namespace tavelin::test
{
namespace
{
    /** The window size the plug-in asks for (effEditGetRect). */
    std::pair<int, int> requestedEditorSize (VstHost& host)
    {
        ERect* rect = nullptr;
        host.dispatch (effEditGetRect, 0, 0, &rect);

        if (rect == nullptr)
            return {};

        return { rect->right - rect->left, rect->bottom - rect->top };
    }

    /** A preferences file under the test HOME that holds a UI scale, while it lives. */
    class StoredScale
    {
    public:
        explicit StoredScale (const char* scale)
        {
            std::filesystem::create_directories (file.parent_path());
            std::ofstream (file) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PROPERTIES>\n  <VALUE name=\"UI_Scale\" val=\""
                                 << scale << "\"/>\n</PROPERTIES>\n";
        }

        ~StoredScale() { std::filesystem::remove (file); }

    private:
        const std::filesystem::path file = std::filesystem::path (std::getenv ("HOME")) / ".config" / "Velkora" / "Tavelin.prefs";
    };
} // namespace

TEST (HostEditor, IsAnnouncedOnOpenAndAsksFor840By660)
{
    VstHost host (pluginLibrary());

    EXPECT_NE (host.effect().flags & effFlagsHasEditor, 0);
    EXPECT_EQ (requestedEditorSize (host), std::make_pair (840, 660));
}

TEST (HostEditor, AsksForTheSizeOfTheStoredScale)
{
    const StoredScale scale ("1.5");
    VstHost host (pluginLibrary());

    EXPECT_EQ (requestedEditorSize (host), std::make_pair (1260, 990));
}
} // namespace tavelin::test
