#include "PluginFixture.h"

#include <cmath>

namespace tavelin::test
{
namespace
{
    constexpr std::int32_t fourCharCode (const char (&code)[5])
    {
        return (code[0] << 24) | (code[1] << 16) | (code[2] << 8) | code[3];
    }
} // namespace

using Identity = PluginFixture;

TEST_F (Identity, StructureAnswersTheVst24Identity)
{
    const auto& effect = host->effect();

    EXPECT_EQ (effect.magic, fourCharCode ("VstP"));
    EXPECT_EQ (effect.uniqueID, fourCharCode ("vkTv"));
    EXPECT_EQ (effect.version, 0x10300);
    EXPECT_EQ (effect.numInputs, 2);
    EXPECT_EQ (effect.numOutputs, 2);
    EXPECT_EQ (effect.numPrograms, 1);
}

TEST_F (Identity, FlagsOfferReplacingAndChunksButNeverSilenceInStop)
{
    const auto flags = host->effect().flags;

    EXPECT_NE (flags & effFlagsCanReplacing, 0);
    EXPECT_NE (flags & effFlagsProgramChunks, 0);
    EXPECT_EQ (flags & effFlagsNoSoundInStop, 0);
    EXPECT_EQ (flags & effFlagsIsSynth, 0);
    EXPECT_EQ (flags & effFlagsCanDoubleReplacing, 0);
}

TEST_F (Identity, NamesVendorProductAndCategory)
{
    EXPECT_EQ (host->effectName(), "Tavelin");
    EXPECT_EQ (host->productString(), "Tavelin");
    EXPECT_EQ (host->vendorString(), "Velkora");
    EXPECT_EQ (host->dispatch (effGetVendorVersion), 0x10300);
    EXPECT_EQ (host->dispatch (effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ (host->dispatch (effGetVstVersion), kVstVersion);
}

TEST_F (Identity, ReceivesMidiAndSendsNone)
{
    EXPECT_EQ (host->canDo ("receiveVstMidiEvent"), 1);
    EXPECT_EQ (host->canDo ("receiveVstEvents"), 1);
    EXPECT_EQ (host->canDo ("sendVstMidiEvent"), -1);
    EXPECT_EQ (host->canDo ("sendVstEvents"), -1);
}

TEST_F (Identity, OneProgram)
{
    EXPECT_EQ (host->effect().numPrograms, 1);
    EXPECT_EQ (host->dispatch (effGetProgram), 0);
}

//==============================================================================
TEST (BinaryEntryPoints, BothStubsCreateAnEffect)
{
    auto library = pluginLibrary();
    ASSERT_NE (library->vstPluginMain(), nullptr);
    ASSERT_NE (library->mainEntry(), nullptr);

    auto* effect = library->mainEntry() ([] (AEffect*, int opcode, int, std::intptr_t, void*, float) -> std::intptr_t
                                         { return opcode == audioMasterVersion ? kVstVersion : 0; });
    ASSERT_NE (effect, nullptr);
    EXPECT_EQ (effect->uniqueID, fourCharCode ("vkTv"));
    effect->dispatcher (effect, effClose, 0, 0, nullptr, 0.0f);
}

TEST (BinaryLifetime, TwoInstancesLiveSideBySide)
{
    VstHost first (pluginLibrary());
    VstHost second (pluginLibrary());
    first.resume();
    second.resume();

    const std::vector<std::vector<float>> input{ std::vector<float> (64, 0.25f), std::vector<float> (64, -0.25f) };
    std::vector<std::vector<float>> firstOutput, secondOutput;
    first.process (input, firstOutput);
    second.process (input, secondOutput);

    EXPECT_EQ (firstOutput, secondOutput);
    EXPECT_NE (&first.effect(), &second.effect());
}

TEST (BinaryLifetime, FiftyCreateDestroyCycles)
{
    for (int cycle = 0; cycle < 50; ++cycle)
    {
        VstHost host (pluginLibrary());
        host.resume();
        std::vector<std::vector<float>> output;
        host.process ({ std::vector<float> (32, 0.0f), std::vector<float> (32, 0.0f) }, output);
        host.suspend();
        ASSERT_EQ (output.size(), 2u) << "cycle " << cycle;
    }
}
} // namespace tavelin::test
