#include "editor/PresetFolderFixture.h"

namespace tavelin::test
{
namespace
{
    /** The preset folder's files as writePresets() takes them, the current one (none: the
        editor's start, "INIT" with no path), and what the user or the host does: "previous",
        "next", "program N" or "pick FILE", which selects the entry in the browser and then
        clears the selection.
    */
    struct Load
    {
        const char* description;
        std::vector<const char*> files;
        const char* current;
        const char* action;
        const char* expected; // none: nothing changes
    };

    void PrintTo (const Load& row, std::ostream* os)
    {
        *os << row.description;
    }
} // namespace

class EditorLoad : public PresetFolderFixture, public ::testing::WithParamInterface<Load>
{
};

TEST_P (EditorLoad, TakesTheOneRoadAndLoadsTheExpectedFileOrChangesNothing)
{
    const auto& row = GetParam();
    const juce::String action (row.action);
    writePresets (row.files);
    processor->getProgramChangeRequest().midiPresetFileNames = velk::ProgramChangeManager::scanMidiPresetsFolder();

    if (row.current != nullptr)
    {
        ASSERT_TRUE (processor->loadPreset (presetsFolder().getChildFile (row.current)).wasOk());
    }

    prepareEcho();
    openEditor();
    beforeTheLoad();
    juce::String chunkDuringTheLoad;
    duringTheNextLoad = [&]
    { chunkDuringTheLoad = presetInTheChunk(); };

    if (action.startsWith ("program"))
    {
        send ({ juce::MidiMessage::programChange (1, action.getTrailingIntValue()) });
        EXPECT_EQ (loads, 0) << "a program change waits for the next refresh";
    }
    else if (action.startsWith ("pick"))
    {
        ASSERT_TRUE (select (presetsFolder().getChildFile (action.fromFirstOccurrenceOf (" ", false, false))));
        browser().getFileTree().clearSelectedItems();
    }
    else
    {
        click (action == "previous" ? Tavelin::Panel::presetStrip().previousButton : Tavelin::Panel::presetStrip().nextButton);
    }

    expectLoadOf (row.expected);

    if (row.expected != nullptr)
    {
        EXPECT_EQ (chunkDuringTheLoad, presetInTheChunk()) << "a host reading the state during the load";
    }

    EXPECT_FALSE (processor->getProgramChangeRequest().isWaiting());
}

INSTANTIATE_TEST_SUITE_P (
    StepsProgramChangesAndPicks, EditorLoad,
    ::testing::Values (
        Load{ "next wraps from the last to the first", { "a 2.vtp", "a 10.vtp", "a 1.vtp" }, "a 10.vtp", "next", "a 1.vtp" },
        Load{ "previous wraps from the first to the last", { "a 2.vtp", "a 10.vtp", "a 1.vtp" }, "a 1.vtp", "previous", "a 10.vtp" },
        Load{ "previous goes back in natural order", { "a 2.vtp", "a 10.vtp", "a 1.vtp" }, "a 10.vtp", "previous", "a 2.vtp" },
        Load{ "next goes on in natural order, case ignored", { "B.vtp", "a 10.vtp", "c.vtp" }, "a 10.vtp", "next", "B.vtp" },
        Load{ "next without a current file takes the first", { "b.vtp", "a 10.vtp", "a 9.vtp" }, nullptr, "next", "a 9.vtp" },
        Load{ "previous without a current file takes the first", { "b.vtp", "a 10.vtp", "a 9.vtp" }, nullptr, "previous", "a 9.vtp" },
        Load{ "a current preset in MIDI steps inside MIDI", { "a.vtp", "MIDI/m 1.vtp", "MIDI/m 2.vtp" }, "MIDI/m 2.vtp", "next", "MIDI/m 1.vtp" },
        Load{ "next steps over a broken file", { "a 1.vtp", "!a 2.vtp", "a 3.vtp" }, "a 1.vtp", "next", "a 3.vtp" },
        Load{ "previous steps over a broken file", { "a 1.vtp", "!a 2.vtp", "a 3.vtp" }, "a 3.vtp", "previous", "a 1.vtp" },
        Load{ "a broken first preset passes the step on in its direction", { "!a 1.vtp", "a 2.vtp", "a 3.vtp" }, nullptr, "previous", "a 3.vtp" },
        Load{ "a name listed with the extension in capitals loads that file", { "a.vtp", "b.VTP" }, "a.vtp", "next", "b.VTP" },
        Load{ "a step in a folder holding only the current preset changes nothing", { "a.vtp" }, "a.vtp", "next", nullptr },
        Load{ "a step in a folder of broken files changes nothing", { "!a.vtp", "!b.vtp" }, nullptr, "next", nullptr },
        Load{ "a step with no preset at all changes nothing", {}, nullptr, "previous", nullptr },
        Load{ "a listed program loads at the next refresh", { "MIDI/a.vtp", "MIDI/b.vtp" }, nullptr, "program 1", "MIDI/b.vtp" },
        Load{ "a program number equal to the count changes nothing", { "MIDI/a.vtp", "MIDI/b.vtp" }, nullptr, "program 2", nullptr },
        Load{ "a program whose file is broken changes nothing", { "!MIDI/a.vtp", "MIDI/b.vtp" }, nullptr, "program 0", nullptr },
        Load{ "a picked preset loads", { "a.vtp", "Picked.vtp" }, "a.vtp", "pick Picked.vtp", "Picked.vtp" },
        Load{ "a picked folder changes nothing", { "a.vtp", "MIDI/b.vtp" }, "a.vtp", "pick MIDI", nullptr },
        Load{ "a picked broken file changes nothing", { "a.vtp", "!b.vtp" }, "a.vtp", "pick b.vtp", nullptr }));
} // namespace tavelin::test
