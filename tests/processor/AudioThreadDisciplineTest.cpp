#include "ProcessorTestRig.h"
#include "support/SanitizerRuntime.h"

// Counts heap allocations and mutex locks made by the thread under watch, by standing in for
// the C library's allocator and pthread_mutex_lock in this test program. The sanitizers replace
// the allocator themselves, so these checks run in the plain builds only.
#if !TAVELIN_SANITIZER_RUNTIME

    #include <pthread.h>

namespace
{
thread_local bool watching = false;
thread_local int allocations = 0;
thread_local int locks = 0;
} // namespace

extern "C"
{
    void* __libc_malloc (size_t);
    void* __libc_calloc (size_t, size_t);
    void* __libc_realloc (void*, size_t);
    void* __libc_memalign (size_t, size_t);
    // glibc exports its own entry point only under an old symbol version.
    __asm__(".symver libcMutexLock,__pthread_mutex_lock@GLIBC_2.2.5");
    int libcMutexLock (pthread_mutex_t*);

    void* malloc (size_t size)
    {
        allocations += watching ? 1 : 0;
        return __libc_malloc (size);
    }

    void* calloc (size_t count, size_t size)
    {
        allocations += watching ? 1 : 0;
        return __libc_calloc (count, size);
    }

    void* realloc (void* pointer, size_t size)
    {
        allocations += watching ? 1 : 0;
        return __libc_realloc (pointer, size);
    }

    void* aligned_alloc (size_t alignment, size_t size)
    {
        allocations += watching ? 1 : 0;
        return __libc_memalign (alignment, size);
    }

    int pthread_mutex_lock (pthread_mutex_t* mutex)
    {
        locks += watching ? 1 : 0;
        return libcMutexLock (mutex);
    }
}

namespace velk::test
{
namespace
{
    struct WatchedCalls
    {
        int allocations;
        int locks;
    };

    template <typename Function>
    WatchedCalls watch (Function&& function)
    {
        allocations = locks = 0;
        watching = true;
        function();
        watching = false;
        return { allocations, locks };
    }
} // namespace

/** Every path of the audio block switched on: three chains with echo, pitch shift and
    ping-pong, the filter, modulation of every kind of target, the scope.
*/
class AudioThreadDiscipline : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (auto id : { "Chain_Bypass_1", "Chain_Bypass_2" })
            rig.set (id, 0.0f);

        for (auto id : { "Chain2_Serial_Mode", "Delay_1_PingPong", "Delay_2_Sync", "LFO_2_Sync", "LFO_3_High_Rate_Enable" })
            rig.set (id, 1.0f);

        for (auto id : { "Matrix_LFO_1_to_Delay_1_Time", "Matrix_LFO_2_to_Pitch_Shifter_2_Pitch", "Matrix_LFO_3_to_Filter_Cut",
                         "Matrix_LFO_4_to_Dry_Wet", "Matrix_Macro_1_to_Gainer_3_Gain", "Matrix_Macro_2_to_Panner_1_Pan",
                         "Matrix_LFO_1_to_LFO_2_Rate", "Matrix_Macro_3_to_Macro_1_Offset" })
            rig.set (id, 60.0f);

        rig.set ("Delay_1_Mix", 50.0f);
        rig.set ("Delay_1_Feed", 70.0f);
        rig.set ("Pitch_Shifter_2_Feedback", 40.0f);
        rig.process (testTone (4 * 512), 512);
    }

    WatchedCalls runBlocks (const juce::MidiBuffer& midi)
    {
        juce::AudioBuffer<float> buffer (2, 512);
        auto blockMidi = midi;

        return watch ([&]
                      {
                          for (int block = 0; block < 8; ++block)
                          {
                              for (int ch = 0; ch < 2; ++ch)
                                  for (int i = 0; i < 512; ++i)
                                      buffer.setSample (ch, i, 0.3f * std::sin ((float) (block * 512 + i) * 0.05f));

                              rig.processor->processBlock (buffer, blockMidi);
                          } });
    }

    ProcessorRig rig;
};

TEST (AudioThreadWatch, SeesAllocationsAndLocks)
{
    juce::CriticalSection lock;
    const auto calls = watch ([&lock]
                              {
                                  const juce::HeapBlock<char> block (100);
                                  const juce::ScopedLock scopedLock (lock);
                                  juce::ignoreUnused (block); });

    EXPECT_EQ (calls.allocations, 1);
    EXPECT_EQ (calls.locks, 1);
}

TEST_F (AudioThreadDiscipline, BlocksAllocateNothingAndLockOnlyForMappedControllers)
{
    rig.processor->ccMapper.assignController ("Delay_1_Mix", 7);

    const auto mappedController = juce::MidiMessage::controllerEvent (1, 7, 100);
    const auto unmappedController = juce::MidiMessage::controllerEvent (1, 9, 100);
    const auto programChange = juce::MidiMessage::programChange (1, 3);

    struct Row
    {
        const char* description;
        std::vector<juce::MidiMessage> events;
        int expectedLocks;
    };

    // Each of the eight blocks of a row moves Delay_1_Mix: its begin-gesture, value and
    // end-gesture messages lock the parameter's listener lock. The first block of the first
    // such row changes the value and so also locks the parameter store's listener list for it;
    // the rows run in turn on one processor, so the last row finds the value already there.
    for (const auto& row : { Row{ "steady state", {}, 0 },
                             Row{ "unmapped controller", { unmappedController }, 0 },
                             Row{ "program change", { programChange, unmappedController }, 0 },
                             Row{ "mapped controller", { mappedController, unmappedController }, 8 * 3 + 1 },
                             Row{ "mapped controller after a program change", { programChange, mappedController }, 8 * 3 } })
    {
        juce::MidiBuffer midi;

        for (const auto& event : row.events)
            midi.addEvent (event, midi.getNumEvents() * 10);

        const auto calls = runBlocks (midi);

        EXPECT_EQ (calls.allocations, 0) << row.description;
        EXPECT_EQ (calls.locks, row.expectedLocks) << row.description;
    }
}

TEST_F (AudioThreadDiscipline, ScopeAndReadoutsAreCopiedWithoutTheAudioThread)
{
    rig.processor->refreshEditorReadouts();
    const auto calls = runBlocks ({});

    EXPECT_EQ (calls.allocations, 0);
    EXPECT_EQ (calls.locks, 0);
}
} // namespace velk::test

#endif
