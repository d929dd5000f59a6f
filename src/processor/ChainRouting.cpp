#include "processor/ChainRouting.h"

namespace velk
{
ChainRouting::ChainRouting (const Switches& switches) noexcept
{
    for (std::size_t chain = 0; chain < numChains; ++chain)
        active[chain] = !switches.bypassed[chain];

    const auto [active1, active2, active3] = active;
    const auto chain3TakesAll = active3 && switches.chain3Serial;
    const auto chain2TakesChain1 = active1 && active2 && switches.chain2Serial;

    sources[0] = Source::input;
    sources[1] = chain2TakesChain1 ? Source::chain1 : Source::input;

    if (!switches.chain3Serial)
        sources[2] = Source::input;
    else if (!active2)
        sources[2] = active1 ? Source::chain1 : Source::input;
    else
        sources[2] = switches.chain2Serial ? Source::chain2 : Source::chains1And2;

    // Chain 1 stays audible beside a serial chain 2 as long as a parallel chain 3 runs: the
    // parallel branch then sums chain 1 both directly and through chain 2.
    terminal[0] = active1 && !chain3TakesAll && !(chain2TakesChain1 && !active3);
    terminal[1] = active2 && !chain3TakesAll;
    terminal[2] = active3;

    for (std::size_t chain = 0; chain < numChains; ++chain)
    {
        filtered[chain] = terminal[chain] && switches.toFilter[chain];
        anyActive = anyActive || active[chain];
        anyFiltered = anyFiltered || filtered[chain];
    }
}

void ChainRouting::fillInput (int chain, const StereoFrames& input, const std::array<StereoFrames, numChains>& outputs,
                              StereoFrames& frames, int numFrames) const noexcept
{
    switch (sources[(std::size_t) chain])
    {
        case Source::chain1:
            frames = outputs[0];
            return;
        case Source::chain2:
            frames = outputs[1];
            return;
        case Source::chains1And2:
            frames.setToSum (outputs[0], outputs[1], numFrames);
            return;
        case Source::input:
            break;
    }

    frames = input;
}
} // namespace velk
