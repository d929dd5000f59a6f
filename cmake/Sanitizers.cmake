# TAVELIN_SANITIZERS takes a comma-separated list for -fsanitize=, e.g. "address,undefined" or
# "thread". It applies to every target, JUCE included, so the runtime sees the whole process.
set(TAVELIN_SANITIZERS "" CACHE STRING "Sanitizers for every target (e.g. address,undefined or thread)")

if(TAVELIN_SANITIZERS)
    add_compile_options(-fsanitize=${TAVELIN_SANITIZERS} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${TAVELIN_SANITIZERS})
endif()
