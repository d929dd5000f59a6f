#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"

namespace tavelin::test
{
namespace
{
    /** Stands in for the host's window around the editor: every repaint that the editor or
        one of its children asks for ends here, where it would reach the window system.
    */
    struct RepaintRecorder : juce::CachedComponentImage
    {
        void paint (juce::Graphics&) override {}
        bool invalidateAll() override { return invalidate ({ 0, 0, 1 << 20, 1 << 20 }); }
        void releaseResources() override {}

        bool invalidate (const juce::Rectangle<int>& area) override
        {
            areas.add (area);
            return false; // the window system is not there to take it further
        }

        juce::RectangleList<int> areas;
    };
} // namespace

class RefreshRepaints : public EditorAtBaseScale
{
protected:
    explicit RefreshRepaints (bool scopeOn = false)
    {
        processor->getPreferences().tree.setProperty (TavelinAudioProcessor::scopeEnabledProperty, scopeOn, nullptr);
        hostWindow.setCachedComponentImage (recorder);
        hostWindow.setVisible (true);
        hostWindow.addAndMakeVisible (openEditor());
        hostWindow.setSize (editor->getWidth(), editor->getHeight());
    }

    ~RefreshRepaints() override
    {
        hostWindow.removeChildComponent (editor);
        hostWindow.setCachedComponentImage (nullptr);
    }

    /** The areas the ticks asked to repaint, after a first tick that may settle what the
        constructor left (sync and bypass states).
    */
    juce::RectangleList<int> areasRepaintedByTenTicks()
    {
        tick();
        recorder->areas.clear();

        for (int i = 0; i < 10; ++i)
            tick();

        return recorder->areas;
    }

    juce::Component hostWindow;
    RepaintRecorder* recorder = new RepaintRecorder(); // owned by hostWindow
};

TEST_F (RefreshRepaints, TicksWithoutChangesRepaintNothingWhileTheScopeIsOff)
{
    EXPECT_TRUE (areasRepaintedByTenTicks().isEmpty()) << areasRepaintedByTenTicks().getBounds().toString();
}

class RefreshRepaintsWithTheScopeOn : public RefreshRepaints
{
protected:
    RefreshRepaintsWithTheScopeOn()
        : RefreshRepaints (true) {}
};

TEST_F (RefreshRepaintsWithTheScopeOn, TicksWithoutChangesRepaintTheScopeAlone)
{
    const auto scope = childrenOfType<velk::OscilloscopeComponent> (*editor)[0]->getBoundsInParent();
    EXPECT_EQ (areasRepaintedByTenTicks().getBounds(), scope);
}
} // namespace tavelin::test
