#pragma once

#include "processor/StereoFrames.h"

#include <array>
#include <cstddef>

namespace velk
{
/** The signal flow through the three chains and the filter for one block, fixed from the
    switches at the start of the block.

    A chain hears the input, chain 1, chain 2 or the sum of chains 1 and 2; a terminal chain's
    output goes to the wet signal, through the filter when its to-filter switch is on. With
    every chain bypassed the input itself passes the filter, whatever the to-filter switches say.
*/
class ChainRouting
{
public:
    static constexpr int numChains = 3;

    /** The switch states of one block; a switch is on when its raw value is above 0.5. */
    struct Switches
    {
        std::array<bool, numChains> bypassed{};
        bool chain2Serial = false;
        bool chain3Serial = false;
        std::array<bool, numChains> toFilter{};
    };

    /** What a chain is fed with. */
    enum class Source
    {
        input,
        chain1,
        chain2,
        chains1And2
    };

    ChainRouting() = default;
    explicit ChainRouting (const Switches& switches) noexcept;

    bool isActive (int chain) const noexcept { return active[(std::size_t) chain]; }
    Source getSource (int chain) const noexcept { return sources[(std::size_t) chain]; }
    bool isTerminal (int chain) const noexcept { return terminal[(std::size_t) chain]; }
    bool isFiltered (int chain) const noexcept { return filtered[(std::size_t) chain]; }
    bool isInputFiltered() const noexcept { return !anyActive; }

    //==============================================================================
    /** Runs the active chains in order, chain 1 first, over a stretch of frames: a chain's
        frames are filled from its source and `runChain (chainIndex, frames)` processes them
        in place; a bypassed chain's frames are silence.
    */
    template <typename RunChain>
    void runChains (const StereoFrames& input, std::array<StereoFrames, numChains>& outputs, int numFrames, RunChain&& runChain) const
    {
        for (int chain = 0; chain < numChains; ++chain)
        {
            auto& frames = outputs[(std::size_t) chain];

            if (!isActive (chain))
            {
                frames.clear();
                continue;
            }

            fillInput (chain, input, outputs, frames, numFrames);
            runChain (chain, frames);
        }
    }

    /** Joins the terminal outputs into `wet`. `runFilter (frames)` filters in place and is
        called at most once, on the sum of the filtered terminal outputs in chain order (or on
        the input when no chain is active); when the filter hears nothing, `skipFilter()` is
        called instead. `filterFrames` is room for the filter's input.
    */
    template <typename RunFilter, typename SkipFilter>
    void mixWet (const StereoFrames& input, const std::array<StereoFrames, numChains>& outputs, StereoFrames& filterFrames,
                 StereoFrames& wet, int numFrames, RunFilter&& runFilter, SkipFilter&& skipFilter) const
    {
        if (isInputFiltered())
        {
            wet = input;
            runFilter (wet);
            return;
        }

        // Sums from zero in chain order, frame by frame.
        filterFrames.clear();
        wet.clear();

        for (std::size_t chain = 0; chain < numChains; ++chain)
        {
            if (filtered[chain])
                filterFrames.add (outputs[chain], numFrames);
            else if (terminal[chain])
                wet.add (outputs[chain], numFrames);
        }

        if (!anyFiltered)
        {
            skipFilter();
            return;
        }

        runFilter (filterFrames);
        filterFrames.add (wet, numFrames);
        wet = filterFrames;
    }

private:
    void fillInput (int chain, const StereoFrames& input, const std::array<StereoFrames, numChains>& outputs,
                    StereoFrames& frames, int numFrames) const noexcept;

    std::array<bool, numChains> active{};
    std::array<Source, numChains> sources{};
    std::array<bool, numChains> terminal{};
    std::array<bool, numChains> filtered{};
    bool anyActive = false;
    bool anyFiltered = false;
};
} // namespace velk
