#include "editor/PresetFolderFixture.h"

#include <map>
#include <vector>

namespace tavelin::test
{
namespace
{
    /** Files relative to the preset folder; a leading "!" writes a file that is no preset. No
        current file means the editor's start: "INIT" with no path.
    */
    struct Step
    {
        const char* description;
        std::vector<const char*> files;
        const char* current;
        int direction;
        const char* expected; // none: nothing changes
    };

    void PrintTo (const Step& step, std::ostream* os)
    {
        *os << step.description;
    }
} // namespace

class PresetStep : public PresetFolderFixture,
                   public ::testing::WithParamInterface<Step>
{
protected:
    /** Every preset has its own delay time, which tells which one is loaded. */
    static float delayTimeOf (int fileIndex) { return 100.0f + 10.0f * (float) fileIndex; }
};

TEST_P (PresetStep, LoadsTheExpectedFile)
{
    const auto& step = GetParam();
    std::map<juce::String, float> delayTimes;

    for (size_t i = 0; i < step.files.size(); ++i)
    {
        const juce::String entry (step.files[i]);

        if (entry.startsWith ("!"))
            writeBrokenPreset (presetsFolder().getChildFile (entry.substring (1)));
        else
            writePreset (presetsFolder().getChildFile (entry), delayTimes[entry] = delayTimeOf ((int) i));
    }

    if (step.current != nullptr)
    {
        ASSERT_TRUE (processor->loadPreset (presetsFolder().getChildFile (step.current)).wasOk());
    }

    setPlainValue (*processor, "Delay_1_Time", 777.0f);
    const auto nameBefore = currentName(), pathBefore = currentPath();

    openEditor();
    StateLoadCounter counter (processor->valueTreeState.state);
    click (step.direction < 0 ? Tavelin::Panel::presetStrip().previousButton : Tavelin::Panel::presetStrip().nextButton);

    if (step.expected == nullptr)
    {
        EXPECT_EQ (counter.loads, 0);
        EXPECT_EQ (plain ("Delay_1_Time"), 777.0f);
        EXPECT_EQ (currentName(), nameBefore);
        EXPECT_EQ (currentPath(), pathBefore);
        return;
    }

    const auto expected = presetsFolder().getChildFile (step.expected);
    EXPECT_EQ (counter.loads, 1);
    EXPECT_EQ (plain ("Delay_1_Time"), delayTimes[step.expected]);
    EXPECT_EQ (currentName(), expected.getFileNameWithoutExtension());
    EXPECT_EQ (currentPath(), expected.getFullPathName());
}

INSTANTIATE_TEST_SUITE_P (
    PreviousAndNext, PresetStep,
    ::testing::Values (
        Step{ "next wraps from the last to the first", { "a 2.vtp", "a 10.vtp", "a 1.vtp" }, "a 10.vtp", 1, "a 1.vtp" },
        Step{ "previous wraps from the first to the last", { "a 2.vtp", "a 10.vtp", "a 1.vtp" }, "a 1.vtp", -1, "a 10.vtp" },
        Step{ "previous goes back in natural order", { "a 2.vtp", "a 10.vtp", "a 1.vtp" }, "a 10.vtp", -1, "a 2.vtp" },
        Step{ "next goes on in natural order, case ignored", { "B.vtp", "a 10.vtp", "c.vtp" }, "a 10.vtp", 1, "B.vtp" },
        Step{ "next without a current file takes the first", { "b.vtp", "a 10.vtp", "a 9.vtp" }, nullptr, 1, "a 9.vtp" },
        Step{ "previous without a current file takes the first", { "b.vtp", "a 10.vtp", "a 9.vtp" }, nullptr, -1, "a 9.vtp" },
        Step{ "a current preset in MIDI steps inside MIDI", { "a.vtp", "MIDI/m 1.vtp", "MIDI/m 2.vtp" }, "MIDI/m 2.vtp", 1, "MIDI/m 1.vtp" },
        Step{ "next steps over a broken file", { "a 1.vtp", "!a 2.vtp", "a 3.vtp" }, "a 1.vtp", 1, "a 3.vtp" },
        Step{ "previous steps over a broken file", { "a 1.vtp", "!a 2.vtp", "a 3.vtp" }, "a 3.vtp", -1, "a 1.vtp" },
        Step{ "a broken first preset passes the step on in its direction", { "!a 1.vtp", "a 2.vtp", "a 3.vtp" }, nullptr, -1, "a 3.vtp" },
        Step{ "a name listed with the extension in capitals loads that file", { "a.vtp", "b.VTP" }, "a.vtp", 1, "b.VTP" },
        Step{ "a folder holding only the current preset changes nothing", { "a.vtp" }, "a.vtp", 1, nullptr },
        Step{ "a folder of broken files changes nothing", { "!a.vtp", "!b.vtp" }, nullptr, 1, nullptr },
        Step{ "no preset at all changes nothing", {}, nullptr, -1, nullptr }));
} // namespace tavelin::test
