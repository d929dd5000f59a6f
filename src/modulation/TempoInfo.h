#pragma once

namespace velk
{
/** The host's tempo as the processor last saw it. One instance lives in the processor; the
    modulation manager, the LFOs and the delays read it through a pointer within the same block.
*/
struct TempoInfo
{
    /** Takes the host tempo for this block. A tempo below 1 (hosts report 0 when stopped or
        without a transport) is raised to 1 so that the bar length stays finite.
    */
    void setBpm (float hostBpm) noexcept
    {
        bpm = hostBpm < 1.0f ? 1.0f : hostBpm;
        msPerBar = 60000.0f / bpm * 4.0f;
    }

    double sampleRate = 44100.0;
    float bpm = 120.0f;
    float msPerBar = 2000.0f;
};
} // namespace velk
