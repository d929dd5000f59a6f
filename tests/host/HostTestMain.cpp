#include "support/IsolatedHome.h"

#include <gtest/gtest.h>

int main (int argc, char** argv)
{
    if (const auto parentResult = tavelin::test::runInIsolatedHome (argc, argv); parentResult >= 0)
        return parentResult;

    testing::InitGoogleTest (&argc, argv);
    return RUN_ALL_TESTS();
}
