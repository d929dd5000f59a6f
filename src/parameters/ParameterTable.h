#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <vector>

namespace velk
{
/** The fields of a juce::NormalisableRange<float>, in a form that a constant table can hold. */
struct ParameterRange
{
    float start;
    float end;
    float interval;
    float skew;

    juce::NormalisableRange<float> toNormalisableRange() const { return { start, end, interval, skew }; }
};

/** 0 to 100 % in steps of 0.01. */
constexpr ParameterRange percentRange{ 0.0f, 100.0f, 0.01f, 1.0f };

/** -100 to 100 % in steps of 0.01: the signed depths of the modulation matrix. */
constexpr ParameterRange bipolarPercentRange{ -100.0f, 100.0f, 0.01f, 1.0f };

/** A switch: 0 or 1, on above one half. */
constexpr ParameterRange switchRange{ 0.0f, 1.0f, 1.0f, 1.0f };

/** One parameter of a module: everything the parameter store, the editor's identifier lists,
    the randomizer and the modulation matrix need to know about it.
*/
struct ParameterSpec
{
    /** Appended to the module's identifier: "_Time" makes Delay_1_Time. */
    const char* suffix;

    /** Appended to the module's identifier for the display name: " Time" makes "Delay_1 Time". */
    const char* name;

    const char* label;
    ParameterRange range;
    float defaultValue;

    /** The value-to-text function; none for switches, which show the store's own "0" and "1". */
    juce::String (*text) (float);

    /** The parameter's place in the module's editor order (getParameterUID), which can differ
        from the creation order that hosts number parameters by.
    */
    int listPosition;

    /** Whether the randomizer moves it. */
    bool randomized;

    /** Whether it is a row of the modulation matrix. */
    bool modulationTarget;
};

/** A module's parameters in creation order: a view of a constant array of rows. */
class ParameterTable
{
public:
    constexpr ParameterTable() noexcept = default;

    template <std::size_t numRows>
    constexpr ParameterTable (const std::array<ParameterSpec, numRows>& rows) noexcept
        : first (rows.data()), count ((int) numRows)
    {
    }

    int size() const noexcept { return count; }
    const ParameterSpec& operator[] (int row) const noexcept { return first[row]; }
    const ParameterSpec* begin() const noexcept { return first; }
    const ParameterSpec* end() const noexcept { return first + count; }

    /** Creates the module's parameters in the store, in table order, and returns their raw
        values in the same order.
    */
    std::vector<std::atomic<float>*> createParameters (juce::AudioProcessorValueTreeState& store, const juce::String& moduleUid) const;

    /** The identifier of the parameter at this place of the editor order; empty when there is none. */
    juce::String getParameterUID (const juce::String& moduleUid, int listPosition) const;

    /** The identifiers of the modulation targets, in editor order. */
    juce::StringArray getModulationTargets (const juce::String& moduleUid) const;

    /** The identifiers of the parameters the randomizer moves, in editor order. */
    juce::StringArray getRandomizedParameters (const juce::String& moduleUid) const;

private:
    template <typename Predicate>
    juce::StringArray getIdentifiersInListOrder (const juce::String& moduleUid, Predicate&& include) const;

    const ParameterSpec* first = nullptr;
    int count = 0;
};

/** Creates a switch (0 or 1, the store's own text) and returns its raw value. */
std::atomic<float>* addSwitch (juce::AudioProcessorValueTreeState& store, const juce::String& identifier,
                               const juce::String& displayName, bool onByDefault);
} // namespace velk
