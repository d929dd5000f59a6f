#include "ArdourLinuxVstHost.h"
#include "HostWindow.h"
#include "PluginFixture.h"

#include <string>

namespace tavelin::test
{
namespace
{
    constexpr int reopenings = 10;
    constexpr int idleCallsBetween = 5;
} // namespace

/** Ardour closing the editor and opening it again (its generic controls shown and hidden), while
    it acts on the window it remembers whenever a child of its window reports a size.
*/
class ArdourReopening : public ::testing::TestWithParam<ArdourLinuxVstHost::Reaction>
{
protected:
    VstHost otherInstance{ pluginLibrary() }; // keeps the plug-in's X connection open after the first has gone
    std::unique_ptr<VstHost> instance = std::make_unique<VstHost> (pluginLibrary());
    HostWindow screen; // a look at what the plug-in puts on the display
};

TEST_P (ArdourReopening, TheWindowTheHostRemembersOutlivesEachEditorAndNoXRequestFails)
{
    unsigned long rememberedLast = 0;

    {
        ArdourLinuxVstHost ardour (*instance, GetParam());
        std::size_t windowsOfThePluginWhileClosed = 0;

        for (int cycle = 0; cycle < reopenings; ++cycle)
        {
            ASSERT_TRUE (ardour.openEditor()) << "cycle " << cycle;

            for (int call = 0; call < idleCallsBetween; ++call)
                ardour.idle();

            // Only the editor's window is in the host's and on the screen, where it put itself.
            const auto inside = ardour.children();
            ASSERT_EQ (inside.size(), 1u) << "cycle " << cycle;
            EXPECT_EQ (screen.viewableWindowsOfClientOf (inside.front()), 1u) << "cycle " << cycle;
            EXPECT_EQ (screen.boundsOf (inside.front()), juce::Rectangle<int> (0, 0, 840, 660)) << "cycle " << cycle;

            ardour.closeEditor();
            EXPECT_TRUE (screen.exists (ardour.rememberedWindow())) << "cycle " << cycle;
            EXPECT_EQ (screen.viewableWindowsOfClientOf (inside.front()), 0u) << "cycle " << cycle;

            const auto windowsNow = screen.windowsOfClientOf (inside.front());

            if (cycle == 0)
                windowsOfThePluginWhileClosed = windowsNow;

            EXPECT_EQ (windowsNow, windowsOfThePluginWhileClosed) << "cycle " << cycle;
        }

        EXPECT_EQ (ardour.errors(), std::vector<std::string>());
        rememberedLast = ardour.rememberedWindow();
    }

    // What the host remembers goes with the plug-in, not with its last editor.
    instance.reset();
    EXPECT_FALSE (screen.exists (rememberedLast));
}

INSTANTIATE_TEST_SUITE_P (ArdourLinuxVstHost, ArdourReopening,
                          ::testing::Values (ArdourLinuxVstHost::Reaction::move,
                                             ArdourLinuxVstHost::Reaction::sizeAndMapRaised),
                          [] (const auto& each)
                          { return each.param == ArdourLinuxVstHost::Reaction::move ? std::string ("LinuxVstThreadMovesIt")
                                                                                    : std::string ("GtkSizesAndMapsIt"); });
} // namespace tavelin::test
