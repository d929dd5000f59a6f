# libFuzzer targets for what reaches the plug-in from outside: the host's state chunk, preset
# and MIDI-map files, and MIDI into the audio block. Clang only, so the gcc build is untouched:
#   cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTAVELIN_FUZZ=ON
# Everything, JUCE included, gets the fuzzer's coverage instrumentation and AddressSanitizer +
# UndefinedBehaviorSanitizer. scripts/fuzz.sh builds the targets and runs each for a while.
# The clang AddressSanitizer build of the tests (scripts/test.sh --sanitize address,undefined)
# makes the targets too, without the coverage, and replays each seed corpus as a test
# (<target>.SeedCorpus, label fuzz): what scripts/fuzz.sh builds stays building, and every input
# kept in fuzz/corpus/ runs again.
option(TAVELIN_FUZZ "Build the libFuzzer targets in fuzz/ (clang only)" OFF)

if(TAVELIN_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "TAVELIN_FUZZ needs clang: -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++")
    endif()

    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
elseif(NOT (CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND TAVELIN_SANITIZERS MATCHES "address"))
    return()
endif()

# One executable per fuzz/*Fuzzer.cpp, made once the plug-in's library exists.
function(tavelin_add_fuzzers)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*Fuzzer.cpp)

    foreach(source ${sources})
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source})
        tavelin_apply_warnings(${source})
        tavelin_link_plugin_code(${name})
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)

        if(NOT TAVELIN_FUZZ)
            # Given files rather than a folder, libFuzzer runs each once and mutates none.
            file(GLOB corpus CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name}/*)
            add_test(NAME ${name}.SeedCorpus COMMAND ${name} ${corpus})
            set_tests_properties(${name}.SeedCorpus PROPERTIES LABELS fuzz
                ENVIRONMENT HOME=${CMAKE_BINARY_DIR}/fuzz-home/${name})
        endif()
    endforeach()
endfunction()

cmake_language(DEFER CALL tavelin_add_fuzzers)
