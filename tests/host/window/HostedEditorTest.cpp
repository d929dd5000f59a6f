#include "HostedEditor.h"
#include "UserInput.h"
#include "editor/Panel.h"
#include "processor/ProgramChangeManager.h"

#include <juce_core/juce_core.h>

#include <string>
#include <utility>

namespace tavelin::test
{
namespace
{
    int parameterIndex (VstHost& host, const std::string& name)
    {
        for (int index = 0; index < host.effect().numParams; ++index)
            if (host.parameterName (index) == name)
                return index;

        throw std::invalid_argument ("no parameter " + name);
    }

    /** What the state chunk names as the current preset. */
    juce::String presetName (VstHost& host)
    {
        const auto chunk = host.getChunk();
        const auto state = juce::parseXML (juce::String (chunk.data() + 8, chunk.size() - 9));
        const auto* metadata = state != nullptr ? state->getChildByName ("Preset_Metadata") : nullptr;
        return metadata != nullptr ? metadata->getStringAttribute ("Preset_Name") : "(none)";
    }

    std::pair<int, int> requestedEditorSize (VstHost& host)
    {
        ERect* rect = nullptr;
        host.dispatch (effEditGetRect, 0, 0, &rect);
        return { rect->right - rect->left, rect->bottom - rect->top };
    }

    /** Program-change presets in the "MIDI" folder, program p choosing the p-th name. */
    struct MidiPresets
    {
        MidiPresets()
        {
            folder.createDirectory();

            for (const auto& [name, timeMs] : { std::pair ("first", "250.0"), std::pair ("second", "750.0") })
                folder.getChildFile (juce::String (name) + ".vtp")
                    .replaceWithText (juce::String (R"(<Tavelin><PARAM id="Delay_1_Time" value=")") + timeMs + "\"/></Tavelin>");
        }

        ~MidiPresets() { folder.deleteRecursively(); }

        const juce::File folder = velk::ProgramChangeManager::getMidiPresetsFolder();
    };
} // namespace

class EditorInHostWindow : public ::testing::Test
{
protected:
    MidiPresets presets; // before the instance, which lists them when it starts
    HostedEditor editor;
    UserInput user;
    VstHost& host = editor.host();
    const int delayTime = parameterIndex (host, "Delay_1 Time");
};

TEST_F (EditorInHostWindow, AProgramChangeWaitsForTheHostsIdleCallsAndIsLoadedInThem)
{
    const auto before = presetName (host);
    host.sendMidi ({ { 0, 0xc0, 1, 0 } });
    std::vector<std::vector<float>> output;
    host.process ({ std::vector<float> (512, 0.0f), std::vector<float> (512, 0.0f) }, output);
    EXPECT_EQ (presetName (host), before);

    EXPECT_TRUE (editor.idleUntil ([this]
                                   { return presetName (host) == "second"; }));
    EXPECT_EQ (host.parameterDisplay (delayTime), "750 Ms");
}

TEST_F (EditorInHostWindow, DraggingTheCornerGripAsksTheHostForEachSizeAt840To660)
{
    const auto dragGrip = [this] (juce::Point<int> corner, juce::Point<int> by)
    {
        const auto grip = corner - juce::Point<int> (4, 4);
        user.moveTo (grip.x, grip.y);
        user.pressButton();

        for (int step = 1; step <= 5; ++step)
        {
            user.moveTo (grip.x + by.x * step / 5, grip.y + by.y * step / 5);
            editor.idle();
        }

        user.releaseButton();
        return editor.idleUntil ([this, size = corner + by]
                                 { return !host.windowSizeRequests().empty()
                                          && host.windowSizeRequests().back().width == size.x; });
    };

    // Farther right than down: the window follows the width.
    ASSERT_TRUE (dragGrip ({ 840, 660 }, { 210, 120 }));
    EXPECT_EQ (host.windowSizeRequests().back().height, 825);
    EXPECT_EQ (editor.window().boundsOf (editor.editorWindow()), juce::Rectangle<int> (0, 0, 1050, 825));
    EXPECT_EQ (requestedEditorSize (host), std::make_pair (1050, 825));

    ASSERT_TRUE (dragGrip ({ 1050, 825 }, { -210, -165 }));
    EXPECT_EQ (host.windowSizeRequests().back().height, 660);

    for (const auto& size : host.windowSizeRequests())
        EXPECT_NEAR (size.height, size.width * 660.0 / 840.0, 1.0) << size.width;
}

//==============================================================================
struct MenuAtCloseCase
{
    const char* name;
    bool itemChosen, closedBeforeNextIdle, parametersInitialised;
};

class MenuOpenAtClose : public EditorInHostWindow,
                        public ::testing::WithParamInterface<MenuAtCloseCase>
{
protected:
    std::size_t windowsOnScreen() { return editor.window().viewableWindowsOfClientOf (editor.editorWindow()); }
};

TEST_P (MenuOpenAtClose, LeavesNoMenuAndOnlyAWindowThatStayedOpenActsOnTheChoice)
{
    host.setParameter (delayTime, 0.9f);
    const auto changed = host.getParameter (delayTime); // on the parameter's steps
    ASSERT_TRUE (editor.idleUntil ([this]
                                   { return windowsOnScreen() == 1; }));

    const auto config = Tavelin::Panel::titleBar().configButton.getCentre();
    user.moveTo (config.x, config.y);
    user.pressButton();
    user.releaseButton();
    ASSERT_TRUE (editor.idleUntil ([this]
                                   { return windowsOnScreen() > 1; }))
        << "the config button opens its menu";

    // Down to "INITIALIZE PARAMETERS", the fourth item, and choose it.
    if (GetParam().itemChosen)
        for (const auto* key : { "Down", "Down", "Down", "Down", "Return" })
            user.typeKey (key);

    if (GetParam().closedBeforeNextIdle)
        editor.closeEditor();

    if (GetParam().parametersInitialised)
    {
        EXPECT_TRUE (editor.idleUntil ([this, changed]
                                       { return host.getParameter (delayTime) != changed; }));
    }

    editor.closeEditor();
    EXPECT_TRUE (editor.idleUntil ([this]
                                   { return windowsOnScreen() == 0; }));

    for (int call = 0; call < 10; ++call)
        editor.idle();

    EXPECT_EQ (host.getParameter (delayTime) != changed, GetParam().parametersInitialised);
    EXPECT_EQ (HostWindow::errorsSoFar(), 0);
}

INSTANTIATE_TEST_SUITE_P (HostedEditor, MenuOpenAtClose,
                          ::testing::Values (MenuAtCloseCase{ "ChoiceWithTheWindowOpen", true, false, true },
                                             MenuAtCloseCase{ "NoChoice", false, true, false },
                                             MenuAtCloseCase{ "ChoiceQueuedAtClose", true, true, false }),
                          [] (const auto& each)
                          { return std::string (each.param.name); });
} // namespace tavelin::test
