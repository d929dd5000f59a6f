#pragma once

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
    /** Runs the active chains in order, chain 1 first, and returns their outputs (0 for a
        bypassed chain). `runChain (chainIndex, input)` processes one sample.
    */
    template <typename RunChain>
    std::array<float, numChains> runChains (float x, RunChain&& runChain) const
    {
        std::array<float, numChains> outputs{};

        for (int chain = 0; chain < numChains; ++chain)
            if (isActive (chain))
                outputs[(std::size_t) chain] = runChain (chain, inputOf (chain, x, outputs));

        return outputs;
    }

    /** Joins the terminal outputs into the wet signal. `runFilter (input)` is called at most
        once, with the sum of the filtered terminal outputs in chain order (or the input when no
        chain is active).
    */
    template <typename RunFilter>
    float mixWet (float x, const std::array<float, numChains>& outputs, RunFilter&& runFilter) const
    {
        if (isInputFiltered())
            return runFilter (x);

        auto filterInput = 0.0f;
        auto direct = 0.0f;

        for (std::size_t chain = 0; chain < numChains; ++chain)
        {
            if (filtered[chain])
                filterInput += outputs[chain];
            else if (terminal[chain])
                direct += outputs[chain];
        }

        return anyFiltered ? runFilter (filterInput) + direct : direct;
    }

private:
    float inputOf (int chain, float x, const std::array<float, numChains>& outputs) const noexcept;

    std::array<bool, numChains> active{};
    std::array<Source, numChains> sources{};
    std::array<bool, numChains> terminal{};
    std::array<bool, numChains> filtered{};
    bool anyActive = false;
    bool anyFiltered = false;
};
} // namespace velk
