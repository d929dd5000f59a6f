#include "editor/PresetFolderFixture.h"
#include "editor/PresetStepper.h"
#include "support/ChildProcess.h"

#include <csignal>

namespace tavelin::test
{
/** A save that died half-way, the parameter naming the file it was to replace (relative to the
    preset folder), among presets of both folders: whatever it left behind is no preset anywhere.
*/
class SaveLeftover : public PresetFolderFixture,
                     public ::testing::WithParamInterface<const char*>
{
protected:
    void SetUp() override
    {
        writePresets ({ "A.vtp", "MIDI/P1.vtp", "MIDI/P2.vtp" });
        const auto target = presetsFolder().getChildFile (GetParam());
        const auto state = copyState();
        auto& mapper = processor->ccMapper;

        const auto end = runUntilTheFirstFileWrite ([&]
                                                    {
            if (target.hasFileExtension (velk::CCMapper::mapFileExtension))
                mapper.writeMapFile (target);
            else
                velk::PresetsManager::savePreset (state, target); });
        ASSERT_EQ (end, ChildEnd::killedBy (SIGXFSZ));
        ASSERT_EQ (target.getParentDirectory().getNumberOfChildFiles (juce::File::findFiles), target.getParentDirectory() == midiFolder() ? 3 : 2)
            << "the save left its temporary file";
    }

    static juce::StringArray namesOf (const juce::Array<juce::File>& files)
    {
        juce::StringArray names;

        for (const auto& file : files)
            names.add (file.getRelativePathFrom (presetsFolder()));

        return names;
    }

    /** Every entry of the browser's tree, each folder opened, once the tree shows them all. */
    juce::StringArray shownInTheBrowser()
    {
        juce::StringArray shown;
        const auto collect = [this, &shown]
        {
            shown.clear();
            const std::function<void (juce::TreeViewItem&)> visit = [&] (juce::TreeViewItem& item)
            {
                for (int i = 0; i < item.getNumSubItems(); ++i)
                {
                    auto& entry = *item.getSubItem (i);
                    shown.add (juce::File (entry.getUniqueName()).getRelativePathFrom (presetsFolder()));
                    entry.setOpen (true);
                    visit (entry);
                }
            };
            visit (*browser().getFileTree().getRootItem());
            shown.sort (true);
            return shown == everyEntry;
        };

        waitUntil (collect);
        return shown;
    }

    const juce::StringArray presets{ "A.vtp" }, midiPresets{ "MIDI/P1.vtp", "MIDI/P2.vtp" };
    const juce::StringArray everyEntry{ "A.vtp", "MIDI", "MIDI/P1.vtp", "MIDI/P2.vtp" };
};

TEST_P (SaveLeftover, IsNeitherListedNorShownNorSteppedOntoNorReachedByAProgramChange)
{
    using velk::PresetStepper;
    const auto a = presetsFolder().getChildFile ("A.vtp");
    const auto p1 = midiFolder().getChildFile ("P1.vtp");

    EXPECT_EQ (TavelinAudioProcessorEditor::generate_presets_list (presetsFolder()), juce::StringArray ({ "A" }));
    EXPECT_EQ (namesOf (PresetStepper::listPresetFiles (midiFolder())), midiPresets);
    EXPECT_EQ (velk::ProgramChangeManager::scanMidiPresetsFolder(), juce::StringArray ({ "P1.vtp", "P2.vtp" }));

    for (const auto direction : { -1, 1 })
    {
        EXPECT_TRUE (PresetStepper::filesToTry (a, "A", direction).isEmpty()) << direction;
        EXPECT_EQ (namesOf (PresetStepper::filesToTry (p1, "P1", direction)), juce::StringArray ({ "MIDI/P2.vtp" })) << direction;
        EXPECT_EQ (namesOf (PresetStepper::filesToTry ({}, {}, direction)), presets) << direction;
    }

    openEditor();
    EXPECT_EQ (shownInTheBrowser(), everyEntry);
}

INSTANTIATE_TEST_SUITE_P (Targets, SaveLeftover,
                          ::testing::Values ("Bass.vtp", "LOUD.VTP", "MIDI/Low 2.vtp", "studio.vtcc", "MIDI/Map.VTCC"));
} // namespace tavelin::test
