#include "editor/PresetFolderFixture.h"
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

//==============================================================================
/** Blocks with the editor open as the host's wrapper opens it, over preset folders that hold
    only what the test writes.
*/
class EditorOpenAllocation : public tavelin::test::PresetFolderFixture,
                             public ::testing::WithParamInterface<int>
{
protected:
    /** The message thread's turn (its messages and a refresh tick), then one block on a thread
        of its own: the host's audio thread is never the message thread, so the editor's
        attachments hear of a change there only by a posted message.
    */
    AllocationCounter::Counts tickThenCountABlock (bool tickFirst = true)
    {
        if (tickFirst)
        {
            tavelin::test::pumpMessages();
            tick();
        }

        AllocationCounter::Counts counts;
        std::thread audioThread ([this, &counts]
                                 { counts = AllocationCounter::countDuring ([this]
                                                                            { renderer.renderNoise(); }); });
        audioThread.join();
        return counts;
    }

    BlockRenderer renderer{ *processor, 48000.0, GetParam() };
};

TEST_P (EditorOpenAllocation, BlocksAfterTheEditorsPresetLoadsAllocateNothing)
{
    const auto picked = writePreset (presetsFolder().getChildFile ("Picked.vtp"), 222.0f);
    writePreset (presetsFolder().getChildFile ("Stepped.vtp"), 333.0f);
    writePreset (midiFolder().getChildFile ("Program0.vtp"), 444.0f);
    processor->getProgramChangeRequest().midiPresetFileNames = ProgramChangeManager::scanMidiPresetsFolder();
    applyScenario (*processor, Scenario::fullyModulated);
    openEditor();
    renderer.renderNoise();
    renderer.renderNoise();
    std::vector<std::pair<const char*, AllocationCounter::Counts>> blocks;

    for (int block = 0; block < 8; ++block)
        blocks.emplace_back ("steady", tickThenCountABlock());

    EXPECT_TRUE (select (picked));
    blocks.emplace_back ("after the browser's pick", tickThenCountABlock());
    EXPECT_EQ (currentName(), "Picked");

    click (Tavelin::Panel::presetStrip().nextButton);
    blocks.emplace_back ("after next", tickThenCountABlock());
    EXPECT_EQ (currentName(), "Stepped");

    renderer.midi.addEvent (juce::MidiMessage::programChange (1, 0), 0);
    blocks.emplace_back ("with a program change", tickThenCountABlock (false));
    renderer.midi.clear();
    blocks.emplace_back ("after the tick's program change", tickThenCountABlock());
    EXPECT_EQ (currentName(), "Program0");

    for (const auto& [when, counts] : blocks)
        EXPECT_TRUE (counts.isEmpty()) << when << ": " << describe (counts);
}

TEST_P (EditorOpenAllocation, AMappedControllerCostsJucesAttachmentOneAllocationAtMost)
{
    // An attachment hands a change made on another thread to the message thread as a posted
    // message, and JUCE's message queue allocates its storage anew whenever it had drained.
    processor->ccMapper.assignController (processor->getParameterLayout().dryWetParameterUID, 20);
    openEditor();

    for (int value = 10; value < 50; value += 10)
    {
        renderer.midi.addEvent (juce::MidiMessage::controllerEvent (1, 20, value), 0);
        const auto counts = tickThenCountABlock();
        renderer.midi.clear();
        EXPECT_LE (counts.allocations, 1u);
        EXPECT_EQ (counts.deallocations, 0u);
    }

    EXPECT_NEAR (plain (processor->getParameterLayout().dryWetParameterUID), 100.0f * 40.0f / 127.0f, 0.01f);
}

INSTANTIATE_TEST_SUITE_P (BlockSizes, EditorOpenAllocation, ::testing::Values (1, 512, 4096));

INSTANTIATE_TEST_SUITE_P (BlockSizes, SteadyStateAllocation, ::testing::Values (1, 32, 64, 441, 512, 4096));
} // namespace velk::test
