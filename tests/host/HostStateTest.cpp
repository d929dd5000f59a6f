#include "PluginFixture.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

namespace tavelin::test
{
namespace
{
    std::string chunkText (const std::vector<char>& chunk)
    {
        return std::string (chunk.begin() + 8, chunk.end() - 1);
    }

    std::vector<char> chunkWithText (const std::string& text)
    {
        std::vector<char> chunk (8 + text.size() + 1, 0);
        const std::uint32_t magic = 0x21324356, length = (std::uint32_t) text.size();
        std::memcpy (chunk.data(), &magic, 4);
        std::memcpy (chunk.data() + 4, &length, 4);
        std::memcpy (chunk.data() + 8, text.data(), text.size());
        return chunk;
    }

    /** The host's chunk with this map in place of its empty one. */
    std::vector<char> chunkWithMap (VstHost& host, const std::string& map)
    {
        auto text = chunkText (host.getChunk());
        const std::string emptyMap = "<Tavelin_MIDI_MAP/>";
        return chunkWithText (text.replace (text.find (emptyMap), emptyMap.size(), map));
    }
} // namespace

using HostState = PluginFixture;

TEST_F (HostState, ChunkCarriesTheStateToASecondInstance)
{
    host->setParameter (31, 0.25f);
    host->setParameter (52, 0.0f);
    host->setParameter (200, 0.8f);
    const auto chunk = host->getChunk();
    ASSERT_GT (chunk.size(), 9u);

    VstHost second (pluginLibrary());
    second.setChunk (chunk);

    for (int index = 0; index < host->effect().numParams; ++index)
        ASSERT_EQ (second.getParameter (index), host->getParameter (index)) << "index " << index;

    EXPECT_EQ (second.getChunk(), chunk);
}

TEST_F (HostState, ChunkIsTheWrappedOneLineXml)
{
    const auto chunk = host->getChunk();
    std::uint32_t magic = 0, length = 0;
    std::memcpy (&magic, chunk.data(), 4);
    std::memcpy (&length, chunk.data() + 4, 4);

    EXPECT_EQ (magic, 0x21324356u);
    EXPECT_EQ (length, chunk.size() - 9);
    EXPECT_EQ (chunk.back(), 0);

    const auto text = chunkText (chunk);
    EXPECT_EQ (text.rfind ("<Tavelin>", 0), 0u);
    EXPECT_NE (text.find ("<Tavelin_MIDI_MAP/><Preset_Metadata Preset_Name=\"INIT\"/></Tavelin>"), std::string::npos);
}

TEST_F (HostState, ChunkThatIsNotOursChangesNothing)
{
    host->setParameter (31, 0.25f);
    const auto before = host->getChunk();
    std::vector<char> garbage (64, 'x');

    host->setChunk (garbage);

    EXPECT_EQ (host->getChunk(), before);
}

TEST_F (HostState, MappedControllerMovesItsParameterAndTellsTheHost)
{
    host->setChunk (chunkWithMap (*host, "<Tavelin_MIDI_MAP><Delay_1_Time cc=\"7\"/></Tavelin_MIDI_MAP>"));
    host->clearEditRecords();

    host->sendMidi ({ { 0, 0xb0, 7, 127 } });
    std::vector<std::vector<float>> output;
    host->process ({ std::vector<float> (64, 0.0f), std::vector<float> (64, 0.0f) }, output);

    EXPECT_EQ (host->getParameter (31), 1.0f);

    const auto edits = host->editRecords();
    ASSERT_EQ (edits.size(), 3u);
    EXPECT_EQ (edits[0].kind, HostEditRecord::Kind::beginEdit);
    EXPECT_EQ (edits[1].kind, HostEditRecord::Kind::automate);
    EXPECT_EQ (edits[1].index, 31);
    EXPECT_EQ (edits[1].value, 1.0f);
    EXPECT_EQ (edits[2].kind, HostEditRecord::Kind::endEdit);
}

// A host that serialises its calls into the plug-in and the plug-in's edit callbacks with one
// mutex restores a chunk while the audio thread's callback for a mapped controller waits for it.
TEST_F (HostState, RestoringAChunkNeverWaitsForAnEditCallbackThatWaitsForTheHost)
{
    const auto mapped = chunkWithMap (*host, "<Tavelin_MIDI_MAP><Delay_1_Mix cc=\"1\"/></Tavelin_MIDI_MAP>");
    host->setChunk (mapped);

    std::mutex hostMutex;
    std::atomic<bool> callbackWaiting{ false }, callbackGaveUp{ false };
    const auto restoringThread = std::this_thread::get_id();
    host->setEditCallbackWork ([&]
                               {
                                   if (std::this_thread::get_id() == restoringThread)
                                       return; // the host holds its mutex there already

                                   callbackWaiting = true;
                                   const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds (5);
                                   auto locked = false;

                                   while (!(locked = hostMutex.try_lock()) && std::chrono::steady_clock::now() < deadline)
                                       std::this_thread::yield();

                                   if (locked)
                                       hostMutex.unlock();

                                   callbackGaveUp = callbackGaveUp || !locked;
                                   callbackWaiting = false; });

    std::unique_lock<std::mutex> restoring (hostMutex);
    std::thread audio ([this]
                       {
                           host->sendMidi ({ { 0, 0xb0, 1, 64 } });
                           std::vector<std::vector<float>> output;
                           host->process ({ std::vector<float> (64, 0.0f), std::vector<float> (64, 0.0f) }, output); });

    while (!callbackWaiting && !callbackGaveUp)
        std::this_thread::yield();

    host->setChunk (mapped);
    EXPECT_TRUE (callbackWaiting) << "the restore waited for the callback";
    restoring.unlock();
    audio.join();
    host->setEditCallbackWork (nullptr);

    EXPECT_FALSE (callbackGaveUp);
}

TEST (HostProgramChange, ProgramChangeLoadsTheMidiPreset)
{
    const auto folder = std::string (std::getenv ("HOME")) + "/.config/Audio/Presets/Velkora/Tavelin/MIDI";
    ASSERT_EQ (std::system (("mkdir -p '" + folder + "'").c_str()), 0);
    {
        std::ofstream preset (folder + "/first.vtp");
        preset << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Tavelin>\r\n  <PARAM id=\"Delay_1_Time\" value=\"500.0\"/>\r\n</Tavelin>\r\n";
    }

    VstHost host (pluginLibrary());
    host.resume();
    ASSERT_EQ (host.getParameter (52), 1.0f);

    host.sendMidi ({ { 0, 0xc3, 0, 0 } });
    std::vector<std::vector<float>> output;
    host.process ({ std::vector<float> (64, 0.0f), std::vector<float> (64, 0.0f) }, output);

    // The plug-in loads the preset on its message thread, soon after the block.
    for (int attempt = 0; attempt < 500 && host.getParameter (52) != 0.0f; ++attempt)
        std::this_thread::sleep_for (std::chrono::milliseconds (10));

    EXPECT_NEAR (host.getParameter (31), std::sqrt (499.0f / 999.0f), 1.0e-6f) << "500 ms on the 1..1000 ms range, skew 0.5";
    EXPECT_EQ (host.getParameter (52), 0.0f) << "a preset without the switch gives its default";

    host.suspend();
    std::remove ((folder + "/first.vtp").c_str());
}
} // namespace tavelin::test
