# Everything comes from Debian's packages; scripts/setup.sh installs them.
find_package(JUCE CONFIG REQUIRED)
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
find_package(benchmark QUIET)
include(GoogleTest)
