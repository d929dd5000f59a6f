#include "HostedEditor.h"
#include "UserInput.h"
#include "editor/Panel.h"
#include "processor/PresetsManager.h"

#include <juce_core/juce_core.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tavelin::test
{
namespace
{
    using namespace std::chrono_literals;

    /** Long enough for any action of the editor; a host mutex still held after it means that
        the host and the plug-in wait for each other.
    */
    constexpr auto deadlockAfter = 5s;

    int parameterIndex (VstHost& host, const std::string& name)
    {
        for (int index = 0; index < host.effect().numParams; ++index)
            if (host.parameterName (index) == name)
                return index;

        throw std::invalid_argument ("no parameter " + name);
    }

    /** A host that serialises the calls into the plug-in and the plug-in's edit callbacks with
        one mutex of its own. Once armed, the next edit callback sends a second host thread off
        to ask for the chunk while it holds that mutex, then waits for the mutex itself: it gets
        it only when the plug-in gave the other thread its chunk.
    */
    class SerialisingHost
    {
    public:
        explicit SerialisingHost (VstHost& hostToUse)
            : host (hostToUse), chunkThread ([this]
                                             { askForChunks(); })
        {
            host.setEditCallbackWork ([this]
                                      { takeTheHostMutex(); });
        }

        ~SerialisingHost()
        {
            host.setEditCallbackWork (nullptr);
            {
                const std::lock_guard<std::mutex> lock (signalLock);
                stopping = true;
            }
            signal.notify_all();
            chunkThread.join();
        }

        void arm() { armed = true; }

        std::atomic<int> chunksWhileHolding{ 0 }, callbacksThatWaitedForever{ 0 };

    private:
        void takeTheHostMutex()
        {
            if (armed.exchange (false))
            {
                std::unique_lock<std::mutex> lock (signalLock);
                const auto held = mutexesTaken + 1;
                chunkWanted = true;
                signal.notify_all();
                signal.wait (lock, [this, held]
                             { return mutexesTaken >= held; });
            }

            // Once the two have waited for each other, the test has its answer: the rest of the
            // action goes on without the mutex, so that the test ends.
            if (callbacksThatWaitedForever > 0)
                return;

            if (!lockWithin (deadlockAfter))
            {
                ++callbacksThatWaitedForever;
                return;
            }

            hostMutex.unlock();
        }

        // Tried in turn rather than timed_mutex::try_lock_for, whose clock-based wait
        // ThreadSanitizer does not see as a lock.
        bool lockWithin (std::chrono::steady_clock::duration timeout)
        {
            const auto deadline = std::chrono::steady_clock::now() + timeout;

            while (!hostMutex.try_lock())
            {
                if (std::chrono::steady_clock::now() > deadline)
                    return false;

                std::this_thread::yield();
            }

            return true;
        }

        void askForChunks()
        {
            for (;;)
            {
                std::unique_lock<std::mutex> lock (signalLock);
                signal.wait (lock, [this]
                             { return chunkWanted || stopping; });

                if (stopping)
                    return;

                chunkWanted = false;
                const std::lock_guard<std::mutex> serialised (hostMutex);
                ++mutexesTaken;
                lock.unlock();
                signal.notify_all();

                chunksWhileHolding += host.getChunk().empty() ? 0 : 1;
            }
        }

        VstHost& host;
        std::mutex hostMutex;
        std::mutex signalLock;
        std::condition_variable signal;
        bool chunkWanted = false, stopping = false;
        int mutexesTaken = 0;
        std::atomic<bool> armed{ false };
        std::thread chunkThread;
    };

    struct SerialisedAction
    {
        const char* name;
        std::vector<const char*> before, action; // the user's steps, named below
    };

    std::ostream& operator<< (std::ostream& out, const SerialisedAction& a)
    {
        return out << a.name;
    }
} // namespace

class HostThatSerialises : public ::testing::TestWithParam<SerialisedAction>
{
protected:
    HostThatSerialises()
    {
        juce::File (velk::PresetsManager::presetsFolderPath)
            .getChildFile ("Stepped.vtp")
            .replaceWithText (R"(<Tavelin><PARAM id="Delay_1_Time" value="777"/></Tavelin>)");

        host.setParameter (chain1Pitch, 0.75f); // the host's automation: chain 1 differs from chain 3
    }

    ~HostThatSerialises() override { juce::File (velk::PresetsManager::presetsFolderPath).deleteRecursively(); }

    void click (const Tavelin::Panel::Rect& area)
    {
        const auto centre = area.getCentre();
        user.moveTo (centre.x, centre.y);
        user.pressButton();
        user.releaseButton();
    }

    /** Opens the menu of the area's button and chooses its n-th item. */
    void choose (const Tavelin::Panel::Rect& area, int item)
    {
        click (area);
        ASSERT_TRUE (editor.idleUntil ([this]
                                       { return editor.window().viewableWindowsOfClientOf (editor.editorWindow()) > 1; }));

        for (int down = 0; down < item; ++down)
            user.typeKey ("Down");

        user.typeKey ("Return");
        ASSERT_TRUE (editor.idleUntil ([this]
                                       { return editor.window().viewableWindowsOfClientOf (editor.editorWindow()) == 1; }));
    }

    void step (const std::string& name)
    {
        const auto config = Tavelin::Panel::titleBar().configButton;

        if (name == "copy chain 1")
            choose (Tavelin::Panel::chainSection (0).menuButton, 1);
        else if (name == "paste onto chain 3")
            choose (Tavelin::Panel::chainSection (2).menuButton, 2);
        else if (name == "UNDO")
            choose (config, 1);
        else if (name == "REDO")
            choose (config, 2);
        else if (name == "INITIALIZE PARAMETERS")
            choose (config, 4);
        else if (name == "next preset")
            click (Tavelin::Panel::presetStrip().nextButton);
        else
            FAIL() << "no step " << name;
    }

    HostedEditor editor;
    UserInput user;
    VstHost& host = editor.host();
    const int chain1Pitch = parameterIndex (host, "Pitch_Shifter_1 Pitch");
    const int chain3Pitch = parameterIndex (host, "Pitch_Shifter_3 Pitch");
    const int delayTime = parameterIndex (host, "Delay_1 Time");
};

TEST_P (HostThatSerialises, EveryActionFinishesWhileAnotherHostThreadHoldsTheMutexForTheChunk)
{
    SerialisingHost serialising (host);

    for (const auto* name : GetParam().before)
        step (name);

    const auto pitch3 = host.getParameter (chain3Pitch);
    const auto delay = host.getParameter (delayTime);
    serialising.arm();

    for (const auto* name : GetParam().action)
        step (name);

    EXPECT_TRUE (editor.idleUntil ([&]
                                   { return host.getParameter (chain3Pitch) != pitch3 || host.getParameter (delayTime) != delay; }))
        << "the action changed the sound";
    EXPECT_EQ (serialising.chunksWhileHolding.load(), 1);
    EXPECT_EQ (serialising.callbacksThatWaitedForever.load(), 0);
}

INSTANTIATE_TEST_SUITE_P (
    EditorActions, HostThatSerialises,
    ::testing::Values (SerialisedAction{ "Paste", { "copy chain 1" }, { "paste onto chain 3" } },
                       SerialisedAction{ "Undo", { "copy chain 1", "paste onto chain 3" }, { "UNDO" } },
                       SerialisedAction{ "Redo", { "copy chain 1", "paste onto chain 3", "UNDO" }, { "REDO" } },
                       SerialisedAction{ "Initialize", { "copy chain 1", "paste onto chain 3" }, { "INITIALIZE PARAMETERS" } },
                       SerialisedAction{ "PresetLoad", {}, { "next preset" } }),
    [] (const auto& each)
    { return std::string (each.param.name); });
} // namespace tavelin::test
