#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace tavelin::test::scenario
{
/** One render that exercises the whole audio path (two chains in series with pitch shift, echo
    and pan, the filter, LFO modulation of the delay and the filter, the dry/wet mix), played
    once through the built binary by our VST host and once by the plug-in code linked into a
    small program. Both must give the same samples.
*/
constexpr double sampleRate = 44100.0;
constexpr int blockSize = 512;
constexpr int numBlocks = 24;
constexpr int numChannels = 2;

struct ParameterSetting
{
    int hostIndex;
    float normalised;
};

// Host indices from the parameter layout.
inline const std::vector<ParameterSetting> settings{
    { 27, 0.75f },       // Pitch_Shifter_1_Pitch: up
    { 30, 0.4f },        // Pitch_Shifter_1_Mix
    { 31, 0.3f },        // Delay_1_Time
    { 34, 0.5f },        // Delay_1_Feed
    { 35, 0.6f },        // Delay_1_Mix
    { 38, 0.3f },        // Panner_1_Pan
    { 52, 0.0f },        // Chain_Bypass_1: chain 2 on
    { 53, 1.0f },        // Chain2_Serial_Mode
    { 44, 0.2f },        // Delay_2_Time
    { 48, 0.5f },        // Delay_2_Mix
    { 68, 2.0f / 3.0f }, // Filter_Mode: band-pass
    { 70, 0.4f },        // Filter_Res
    { 1, 0.6f },         // LFO_1_Rate
    { 180, 0.8f },       // Matrix_LFO_1_to_Delay_1_Time
    { 308, 0.9f },       // Matrix_LFO_1_to_Filter_Cut
    { 72, 0.7f },        // Dry_Wet
    { 71, 0.6f },        // Global_Gain
};

/** A chord of sines with a little deterministic noise, different per channel. */
inline float inputSample (int channel, int sampleIndex)
{
    std::uint32_t state = (std::uint32_t) (sampleIndex * 2 + channel) * 2654435761u;
    state ^= state >> 13;
    const auto noise = (float) (state & 0xffff) / 65535.0f - 0.5f;
    const auto t = (double) sampleIndex / sampleRate;
    const auto tone = 0.3 * std::sin (2.0 * 3.141592653589793 * (220.0 + 110.0 * channel) * t)
                      + 0.2 * std::sin (2.0 * 3.141592653589793 * 1375.0 * t);
    return (float) tone + 0.05f * noise;
}
} // namespace tavelin::test::scenario
