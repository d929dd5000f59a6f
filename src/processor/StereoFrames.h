#pragma once

#include "effects/AudioEffectModule.h"

#include <array>

namespace velk
{
/** A stretch of stereo frames, as long as the longest stretch a module processes at once. */
struct StereoFrames
{
    static constexpr int capacity = AudioEffectModule::maxFrames;

    void clear() noexcept
    {
        left.fill (0.0f);
        right.fill (0.0f);
    }

    /** Adds another stretch frame by frame. */
    void add (const StereoFrames& other, int numFrames) noexcept
    {
        for (size_t i = 0; i < (size_t) numFrames; ++i)
        {
            left[i] += other.left[i];
            right[i] += other.right[i];
        }
    }

    void setToSum (const StereoFrames& a, const StereoFrames& b, int numFrames) noexcept
    {
        for (size_t i = 0; i < (size_t) numFrames; ++i)
        {
            left[i] = a.left[i] + b.left[i];
            right[i] = a.right[i] + b.right[i];
        }
    }

    std::array<float, capacity> left{};
    std::array<float, capacity> right{};
};
} // namespace velk
