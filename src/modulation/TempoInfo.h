#pragma once

#include <limits>

namespace velk
{
/** The host's tempo as the processor last saw it. One instance lives in the processor; the
    modulation manager, the LFOs and the delays read it through a pointer within the same block.
*/
struct TempoInfo
{
    /** Takes the host tempo for this block. A tempo that is not a finite positive number a
        float can hold (NaN, an infinity, 0 or below: hosts report 0 when stopped or without a
        transport) is not taken, and the last one stays, so the bar length is always finite
        and positive. A tempo below 1 is raised to 1.
    */
    void setBpm (double hostBpm) noexcept
    {
        if (!(hostBpm > 0.0 && hostBpm <= (double) std::numeric_limits<float>::max()))
            return;

        bpm = hostBpm < 1.0 ? 1.0f : (float) hostBpm;
        msPerBar = 60000.0f / bpm * 4.0f;
    }

    double sampleRate = 44100.0;
    float bpm = 120.0f;
    float msPerBar = 2000.0f;
};
} // namespace velk
