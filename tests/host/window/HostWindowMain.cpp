#include "HostWindow.h"
#include "support/IsolatedHome.h"

#include <gtest/gtest.h>

#include <cstdio>

int main (int argc, char** argv)
{
    if (const auto parentResult = tavelin::test::runInIsolatedHome (argc, argv); parentResult >= 0)
        return parentResult;

    testing::InitGoogleTest (&argc, argv);

    if (!tavelin::test::HostWindow::installErrorCounter())
    {
        std::fprintf (stderr, "These tests need an X display (scripts/with-xvfb.sh starts one).\n");
        return 1;
    }

    return RUN_ALL_TESTS();
}
