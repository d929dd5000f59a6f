# TAVELIN_SANITIZERS takes a comma-separated list for -fsanitize=, e.g. "address,undefined" or
# "thread". It applies to every target, JUCE included, so the runtime sees the whole process.
set(TAVELIN_SANITIZERS "" CACHE STRING "Sanitizers for every target (e.g. address,undefined or thread)")

if(TAVELIN_SANITIZERS)
    add_compile_options(-fsanitize=${TAVELIN_SANITIZERS} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${TAVELIN_SANITIZERS})
endif()

# Every build but Release (the tests' RelWithDebInfo, Debug) checks each index into the standard
# library's containers, so that an index past a vector's end stops the plain test run too, not
# only the sanitizer builds. The installed plug-in and the benchmarks are Release builds.
if(NOT CMAKE_BUILD_TYPE STREQUAL "Release")
    add_compile_definitions(_GLIBCXX_ASSERTIONS)
endif()
