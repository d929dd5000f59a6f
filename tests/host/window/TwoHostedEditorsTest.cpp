#include "HostedEditor.h"
#include "SharedLookProbe.h"
#include "UserInput.h"
#include "editor/GoldenImage.h"
#include "editor/Panel.h"

#include <array>

namespace tavelin::test
{
namespace
{
    constexpr int tolerance = 2;
    const juce::Rectangle<int> editorArea (Tavelin::Panel::baseWidth, Tavelin::Panel::baseHeight);

    /** What the editor's window shows once it has drawn the golden image, or after five seconds:
        a window draws at the first idle calls, and again after the editor's first refresh tick.
    */
    juce::Image drawing (HostedEditor& editor, const juce::String& golden)
    {
        juce::Image shown;
        editor.idleUntil ([&]
                          {
                              shown = editor.window().capture (editorArea);
                              return showsGolden (shown, golden, tolerance); });
        return shown;
    }

    const std::array<std::string, 3> lookTypes{ "velk::VKLook", "velk::VKBipolarLook", "MacroLook" };
} // namespace

TEST (TwoHostedEditors, ClosingOneLeavesTheOtherDrawingAndEachLookIsOneObjectForBoth)
{
    const SharedLookProbe probe (TAVELIN_VST_PATH, reinterpret_cast<const void*> (pluginLibrary()->vstPluginMain()));
    UserInput().moveTo (1800, 1000); // off both windows: nothing is drawn as hovered

    const auto readLooks = [&probe]
    {
        std::array<SharedLook, lookTypes.size()> looks;

        for (std::size_t look = 0; look < lookTypes.size(); ++look)
            looks[look] = probe.read (lookTypes[look]);

        return looks;
    };

    HostedEditor first;
    const auto heldByOne = readLooks();
    HostedEditor second; // its window lies on top
    const auto heldByTwo = readLooks();

    for (std::size_t look = 0; look < lookTypes.size(); ++look)
    {
        EXPECT_NE (heldByOne[look].instance, nullptr) << lookTypes[look];
        EXPECT_EQ (heldByTwo[look].instance, heldByOne[look].instance) << lookTypes[look];
        EXPECT_EQ (heldByTwo[look].holders, 2 * heldByOne[look].holders) << lookTypes[look];
    }

    EXPECT_TRUE (matchesGolden (drawing (second, "editor_default"), "editor_default", tolerance));

    first.closeEditor();
    second.window().hideAndShow();
    ASSERT_FALSE (showsGolden (second.window().capture (editorArea), "editor_default", tolerance))
        << "the window shown again is blank until the editor draws";
    EXPECT_TRUE (matchesGolden (drawing (second, "editor_default"), "editor_default", tolerance))
        << "drawn anew after the other closed";

    const auto heldAfterClosing = readLooks();

    for (std::size_t look = 0; look < lookTypes.size(); ++look)
    {
        EXPECT_EQ (heldAfterClosing[look].instance, heldByOne[look].instance) << lookTypes[look];
        EXPECT_EQ (heldAfterClosing[look].holders, heldByOne[look].holders) << lookTypes[look];
    }

    second.closeEditor();

    for (const auto& look : readLooks())
    {
        EXPECT_EQ (look.instance, nullptr) << "deleted with its last holder";
        EXPECT_EQ (look.holders, 0);
    }

    EXPECT_EQ (HostWindow::errorsSoFar(), 0);
}
} // namespace tavelin::test
