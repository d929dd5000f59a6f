#pragma once

#include <algorithm>
#include <cmath>

namespace tavelin::test
{
/** The number of samples in any container of channels that are neither NaN nor infinite. */
template <typename Channels>
int countNonFinite (const Channels& channels)
{
    int count = 0;

    for (const auto& channel : channels)
        for (auto sample : channel)
            count += std::isfinite (sample) ? 0 : 1;

    return count;
}

/** The largest magnitude of any sample. */
template <typename Channels>
float peak (const Channels& channels)
{
    float loudest = 0.0f;

    for (const auto& channel : channels)
        for (auto sample : channel)
            loudest = std::max (loudest, std::abs (sample));

    return loudest;
}
} // namespace tavelin::test
