#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"
#include "editor/Panel.h"
#include "processor/PresetsManager.h"
#include "processor/ProgramChangeManager.h"
#include "realtime/AllocationCounter.h"
#include "realtime/BlockRenderer.h"
#include "realtime/ProcessorScenarios.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace velk::test
{
namespace
{
    constexpr double sampleRate = 48000.0;
    constexpr int blocksMeasured = 200;

    std::string describe (const AllocationCounter::Counts& counts)
    {
        return std::to_string (counts.allocations) + " allocations and " + std::to_string (counts.deallocations) + " frees";
    }

    float peakOf (const juce::AudioBuffer<float>& buffer)
    {
        return juce::jmax (buffer.getMagnitude (0, 0, buffer.getNumSamples()), buffer.getMagnitude (1, 0, buffer.getNumSamples()));
    }
} // namespace

//==============================================================================
/** The processor's blocks, once it is playing, touch the heap neither for allocating nor for
    freeing: the audio thread must never wait for the allocator's locks or the system.
    The first blocks after prepareToPlay() are not measured; what they would allocate is
    measured by the block sizes the host uses for the whole of playback.
*/
class SteadyStateAllocation : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        renderer = std::make_unique<BlockRenderer> (*processor, sampleRate, GetParam());
    }

    /** Renders warm-up blocks, then counts over blocksMeasured noise blocks with `betweenBlocks`
        run (unarmed) before each of them.
    */
    template <typename BetweenBlocks>
    AllocationCounter::Counts countOverNoiseBlocks (BetweenBlocks&& betweenBlocks)
    {
        renderer->renderNoise();
        renderer->renderNoise();
        AllocationCounter::Counts total;

        for (int block = 0; block < blocksMeasured; ++block)
        {
            betweenBlocks (block);
            const auto counts = AllocationCounter::countDuring ([this]
                                                                { renderer->renderNoise(); });
            total.allocations += counts.allocations;
            total.deallocations += counts.deallocations;
        }

        return total;
    }

    AllocationCounter::Counts countOverNoiseBlocks()
    {
        return countOverNoiseBlocks ([] (int) {});
    }

    /** One block on a thread of its own, as the host's audio thread is never the message
        thread: parameter listeners such as the editor's attachments then only post messages.
    */
    AllocationCounter::Counts countOneAudioThreadBlock()
    {
        AllocationCounter::Counts counts;
        std::thread audioThread ([this, &counts]
                                 { counts = AllocationCounter::countDuring ([this]
                                                                            { renderer->renderNoise(); }); });
        audioThread.join();
        return counts;
    }

    void mapController (int controller, const juce::String& parameterId)
    {
        processor->ccMapper.assignController (parameterId, controller);
    }

    std::unique_ptr<TavelinAudioProcessor> processor = std::make_unique<TavelinAudioProcessor>();
    std::unique_ptr<BlockRenderer> renderer;
};

//==============================================================================
TEST (AllocationCounterCheck, CountsWhatTheArmedThreadAllocatesAndFrees)
{
    const auto counts = AllocationCounter::countDuring ([]
                                                        {
                                                            std::vector<int> numbers (100);
                                                            juce::ignoreUnused (numbers); });

    EXPECT_EQ (counts.allocations, 1u);
    EXPECT_EQ (counts.deallocations, 1u);
}

TEST (AllocationCounterCheck, CountsMallocWhereNoSanitizerOwnsIt)
{
    if (!AllocationCounter::countsMallocFamily())
        GTEST_SKIP() << "malloc belongs to the sanitizer in this build";

    void* block = nullptr;
    const auto counts = AllocationCounter::countDuring ([&block]
                                                        {
                                                            block = std::malloc (64);
                                                            block = std::realloc (block, 128);
                                                            std::free (block); });

    EXPECT_NE (block, nullptr);
    EXPECT_EQ (counts.allocations, 2u);
    EXPECT_EQ (counts.deallocations, 1u);
}

TEST (AllocationCounterCheck, IgnoresOtherThreads)
{
    std::atomic<int> phase{ 0 };
    std::thread other ([&phase]
                       {
                           while (phase.load() == 0)
                               std::this_thread::yield();

                           std::vector<int> numbers (100);
                           juce::ignoreUnused (numbers);
                           phase = 2; });

    const auto counts = AllocationCounter::countDuring ([&phase]
                                                        {
                                                            phase = 1;

                                                            while (phase.load() != 2)
                                                                std::this_thread::yield(); });
    other.join();

    EXPECT_TRUE (counts.isEmpty());
}

//==============================================================================
TEST_P (SteadyStateAllocation, StartUpBlocksAllocateNothing)
{
    const auto counts = countOverNoiseBlocks();

    EXPECT_TRUE (counts.isEmpty()) << describe (counts);
    EXPECT_GT (peakOf (renderer->getBuffer()), 0.0f);
}

TEST_P (SteadyStateAllocation, AllChainsBlocksAllocateNothing)
{
    applyScenario (*processor, Scenario::allChains);

    const auto counts = countOverNoiseBlocks();

    EXPECT_TRUE (counts.isEmpty()) << describe (counts);
    EXPECT_GT (peakOf (renderer->getBuffer()), 0.0f);
}

TEST_P (SteadyStateAllocation, FullyModulatedBlocksAllocateNothingWhileMacrosMove)
{
    applyScenario (*processor, Scenario::fullyModulated);

    const auto counts = countOverNoiseBlocks ([this] (int block)
                                              {
                                                  for (int macro = 0; macro < TavelinAudioProcessor::numMacros; ++macro)
                                                      setParameter (*processor, processor->getParameterLayout().macroParameterUIDs[macro], (float) ((block * 7 + macro * 31) % 100)); });

    EXPECT_TRUE (counts.isEmpty()) << describe (counts);
    EXPECT_TRUE (processor->getModulationsManager().areModsActiveForTarget (processor->getModulationsManager().getTargetNames().indexOf ("Dry_Wet")));
    EXPECT_GT (peakOf (renderer->getBuffer()), 0.0f);
}

TEST_P (SteadyStateAllocation, MappedControllerEventsAllocateNothing)
{
    applyScenario (*processor, Scenario::fullyModulated);
    mapController (20, processor->getParameterLayout().macroParameterUIDs[0]);
    mapController (20, processor->getParameterLayout().dryWetParameterUID);
    mapController (21, processor->getParameterLayout().filterCutoffParameterUID);

    for (int value = 0; value < 128; value += 9)
    {
        renderer->midi.addEvent (juce::MidiMessage::controllerEvent (1, 20, value), 0);
        renderer->midi.addEvent (juce::MidiMessage::controllerEvent (2, 21, 127 - value), 1);
    }

    const auto counts = countOverNoiseBlocks();

    EXPECT_TRUE (counts.isEmpty()) << describe (counts);
    EXPECT_EQ (processor->ccMapper.lastReceivedCC.load(), 21);
    // The parameter keeps its value snapped to its 0.01 % interval.
    EXPECT_NEAR (processor->valueTreeState.getParameter (processor->getParameterLayout().dryWetParameterUID)->getValue(), 126.0f / 127.0f, 1.0e-4f);
}

TEST_P (SteadyStateAllocation, MessageThreadChangesDuringPlaybackAllocateNothing)
{
    applyScenario (*processor, Scenario::fullyModulated);
    mapController (20, processor->getParameterLayout().macroParameterUIDs[1]);
    renderer->midi.addEvent (juce::MidiMessage::controllerEvent (1, 20, 64), 0);
    renderer->renderNoise();

    constexpr int changesMade = 300;
    std::atomic<bool> changesDone{ false };
    AllocationCounter::Counts counts;
    int blocksRendered = 0;

    std::thread audioThread ([&]
                             { counts = AllocationCounter::countDuring ([&]
                                                                        {
                                                                              while (!changesDone.load() || blocksRendered < blocksMeasured)
                                                                              {
                                                                                  renderer->renderNoise();
                                                                                  ++blocksRendered;
                                                                              } }); });

    const auto& manager = processor->getModulationsManager();

    for (int change = 0; change < changesMade; ++change)
    {
        const auto target = change % manager.getNumTargets();
        setParameter (*processor, manager.getModMatrixParameterUID (target, (change / 3) % manager.getNumModulators()), (float) (change % 200 - 100));
        setParameter (*processor, manager.getModMatrixParameterUID (target, manager.getNumModulators()), (float) (change % 101));

        if (change % 50 == 0)
            mapController (22 + change / 50, manager.getTargetNames()[target]);

        std::this_thread::yield();
    }

    changesDone = true;
    audioThread.join();

    EXPECT_TRUE (counts.isEmpty()) << describe (counts) << " over " << blocksRendered << " blocks";
    EXPECT_EQ (processor->ccMapper.getMap().getNumChildren(), 1 + changesMade / 50);
}

TEST_P (SteadyStateAllocation, ProgramChangeBlocksAllocateNothing)
{
    applyScenario (*processor, Scenario::allChains);
    mapController (20, processor->getParameterLayout().dryWetParameterUID);
    renderer->midi.addEvent (juce::MidiMessage::programChange (1, 5), 0);
    renderer->midi.addEvent (juce::MidiMessage::controllerEvent (1, 20, 90), 1);

    const auto counts = countOverNoiseBlocks();

    EXPECT_TRUE (counts.isEmpty()) << describe (counts);
    EXPECT_TRUE (processor->getProgramChangeRequest().pendingProgramChange) << "the load is the message thread's";
}

TEST_P (SteadyStateAllocation, BlocksWithTheEditorOpenAllocateNothingAfterItsPresetLoads)
{
    const juce::File presetsFolder (PresetsManager::presetsFolderPath);
    const auto presetIn = [] (const juce::File& folder, const char* name, float delayTime)
    {
        juce::ValueTree state ("Tavelin");
        state.appendChild (juce::ValueTree ("PARAM", { { "id", "Delay_1_Time" }, { "value", delayTime } }), nullptr);
        const auto file = folder.getChildFile (name).withFileExtension (PresetsManager::presetFileExtension);
        EXPECT_TRUE (PresetsManager::savePreset (state, file).wasOk());
        return file;
    };
    const auto picked = presetIn (presetsFolder, "Picked", 222.0f);
    presetIn (presetsFolder, "Stepped", 333.0f);
    presetIn (ProgramChangeManager::getMidiPresetsFolder(), "Program0", 444.0f);
    processor->getProgramChangeRequest().midiPresetFileNames = ProgramChangeManager::scanMidiPresetsFolder();

    applyScenario (*processor, Scenario::fullyModulated);
    const std::unique_ptr<juce::AudioProcessorEditor> editor (processor->createEditorIfNeeded());
    auto& window = dynamic_cast<TavelinAudioProcessorEditor&> (*editor);
    const auto tickAndCount = [&]
    {
        tavelin::test::pumpMessages();
        window.timerCallback();
        return countOneAudioThreadBlock();
    };

    renderer->renderNoise();
    renderer->renderNoise();
    std::vector<std::pair<const char*, AllocationCounter::Counts>> blocks;

    for (int block = 0; block < 8; ++block)
        blocks.emplace_back ("steady", tickAndCount());

    // The one exception, on JUCE's side: an attachment hands a change made on another thread to
    // the message thread as a posted message, and the message queue allocates its storage anew
    // whenever it had drained. A mapped controller that moves a parameter while the window is
    // open costs that block one allocation; it never frees.
    mapController (20, processor->getParameterLayout().dryWetParameterUID);

    for (int value = 10; value < 50; value += 10)
    {
        renderer->midi.addEvent (juce::MidiMessage::controllerEvent (1, 20, value), 0);
        const auto counts = tickAndCount();
        renderer->midi.clear();
        EXPECT_LE (counts.allocations, 1u);
        EXPECT_EQ (counts.deallocations, 0u);
    }

    auto& tree = tavelin::test::childrenOfType<velk::PresetSelectorComponent> (window).getFirst()->getFileTree();
    EXPECT_TRUE (tavelin::test::waitUntil ([&]
                                           {
                                               tree.setSelectedFile (picked);
                                               return tree.getSelectedFile() == picked; }));
    blocks.emplace_back ("after the browser's pick", tickAndCount());
    EXPECT_EQ (processor->getCurrentPreset().getName(), "Picked");

    window.buttonClicked (dynamic_cast<juce::Button*> (tavelin::test::childAt (window, Tavelin::Panel::presetStrip().nextButton.getCentre())));
    blocks.emplace_back ("after next", tickAndCount());
    EXPECT_EQ (processor->getCurrentPreset().getName(), "Stepped");

    renderer->midi.addEvent (juce::MidiMessage::programChange (1, 0), 0);
    blocks.emplace_back ("with a program change", countOneAudioThreadBlock());
    renderer->midi.clear();
    blocks.emplace_back ("after the tick's program change", tickAndCount());
    EXPECT_EQ (processor->getCurrentPreset().getName(), "Program0");
    processor->editorBeingDeleted (editor.get());

    for (const auto& [when, counts] : blocks)
        EXPECT_TRUE (counts.isEmpty()) << when << ": " << describe (counts);

    presetsFolder.deleteRecursively();
}

INSTANTIATE_TEST_SUITE_P (BlockSizes, SteadyStateAllocation, ::testing::Values (1, 32, 64, 441, 512, 4096));
} // namespace velk::test
