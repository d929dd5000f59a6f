#pragma once

#include "VstHost.h"

#include <gtest/gtest.h>

namespace tavelin::test
{
/** The built plug-in binary, opened once for the whole test program as a host keeps it. */
inline std::shared_ptr<VstLibrary> pluginLibrary()
{
    static auto library = std::make_shared<VstLibrary> (TAVELIN_VST_PATH);
    return library;
}

/** A fixture with one open, resumed instance of the plug-in. */
class PluginFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host = std::make_unique<VstHost> (pluginLibrary(), 44100.0, 512);
        host->resume();
    }

    void TearDown() override
    {
        host->suspend();
        host.reset();
    }

    std::unique_ptr<VstHost> host;
};
} // namespace tavelin::test
