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
    bool samePixels (const juce::Image& a, const juce::Image& b)
    {
        if (!a.isValid() || a.getBounds() != b.getBounds())
            return false;

        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                    return false;

        return true;
    }

    /** The editor's window as the screen shows it once its drawing has settled: two captures
        alike, with idle calls between them, and not the blank window of an editor yet to draw.
    */
    juce::Image settledDrawing (HostedEditor& editor)
    {
        const juce::Rectangle<int> area (Tavelin::Panel::baseWidth, Tavelin::Panel::baseHeight);
        juce::Image blank (juce::Image::ARGB, area.getWidth(), area.getHeight(), false);
        blank.clear (area, juce::Colours::black);
        juce::Image previous;

        editor.idleUntil ([&]
                          {
                              auto now = editor.window().capture (area);
                              const auto settled = !samePixels (now, blank) && samePixels (now, previous);
                              previous = now;
                              return settled; });
        return previous;
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

    EXPECT_TRUE (matchesGolden (settledDrawing (second), "editor_default", 2));

    first.closeEditor();
    second.window().hideAndShow();
    EXPECT_TRUE (matchesGolden (settledDrawing (second), "editor_default", 2)) << "drawn anew after the other closed";

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
