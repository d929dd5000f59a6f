# Warnings are errors in our own code only: JUCE's modules and its VST2 wrapper compile in the
# same targets, so the flags go on our source files rather than on the targets.
set(TAVELIN_WARNING_FLAGS
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Woverloaded-virtual -Wreorder -Wunused -Werror)

function(tavelin_apply_warnings)
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS "${TAVELIN_WARNING_FLAGS}")
endfunction()
