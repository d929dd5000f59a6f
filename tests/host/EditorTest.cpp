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
} // namespace

TEST (HostEditor, IsAnnouncedOnOpenAndAsksFor840By660)
{
    VstHost host (pluginLibrary());

    EXPECT_NE (host.effect().flags & effFlagsHasEditor, 0);
    EXPECT_EQ (requestedEditorSize (host), std::make_pair (840, 660));
}

TEST (HostEditor, AsksForTheSizeOfTheStoredScale)
{
    const auto preferences = std::filesystem::path (std::getenv ("HOME")) / ".config" / "Velkora" / "Tavelin.prefs";
    std::filesystem::create_directories (preferences.parent_path());
    std::ofstream (preferences) << R"(<PROPERTIES><VALUE name="UI_Scale" val="1.5"/></PROPERTIES>)";
    {
        VstHost host (pluginLibrary());
        EXPECT_EQ (requestedEditorSize (host), std::make_pair (1260, 990));
    }
    std::filesystem::remove (preferences);
}
} // namespace tavelin::test
