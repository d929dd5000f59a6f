#include "modulation/ModulationsManager.h"

#include "parameters/ParameterChange.h"
#include "parameters/ParameterCreation.h"
#include "parameters/ParameterTable.h"
#include "parameters/ParameterText.h"

#include <algorithm>
#include <cmath>

#include <xmmintrin.h>

namespace velk
{
namespace
{
    constexpr float percentToFraction = 0.01f;

    constexpr auto fullScale = percentRange.end;
} // namespace

const juce::String ModulationsManager::matrixParameterPrefix ("Matrix_");
const juce::String ModulationsManager::globalModDepthParameterUID ("Modulations_Global_Scale");

ModulationsManager::ModulationsManager (juce::AudioProcessorValueTreeState& store,
                                        TempoInfo& tempoInfo,
                                        bool hostIsAbletonLive)
    : valueTreeState (store),
      tempo (&tempoInfo),
      hostIsLive (hostIsAbletonLive)
{
}

ModulationsManager::~ModulationsManager()
{
    for (size_t target = 0; target < matrixParameterValues.size(); ++target)
        for (int column = 0; column <= modulators.size(); ++column)
            valueTreeState.removeParameterListener (getModMatrixParameterUID ((int) target, column), this);

    if (globalDepthParameter != nullptr)
        valueTreeState.removeParameterListener (globalModDepthParameterUID, this);
}

//==============================================================================
Modulator* ModulationsManager::addModulator (std::unique_ptr<Modulator> modulator)
{
    // Every matrix row has one column per modulator, fixed when the matrix is created.
    jassert (matrixParameterValues.empty());
    return modulators.add (modulator.release());
}

int ModulationsManager::registerTarget (const juce::String& targetId)
{
    targetNames.add (targetId);
    return targetNames.size() - 1;
}

void ModulationsManager::registerTargets (const juce::StringArray& targetIds, std::vector<int>& targetIndices)
{
    for (const auto& targetId : targetIds)
        targetIndices.push_back (registerTarget (targetId));
}

void ModulationsManager::createMatrixParameters()
{
    const auto numTargets = targetNames.size();
    const auto numColumns = modulators.size() + 1;
    sourcesPerTarget = (size_t) modulators.size();
    activeSources.assign ((size_t) numTargets * sourcesPerTarget, { nullptr, 0, 0.0f, 0.0f, false });
    targetStates.clear();

    for (size_t target = 0; target < (size_t) numTargets; ++target)
        targetStates.push_back ({ activeSources.data() + target * sourcesPerTarget, 0.0f, 0, false, false });

    modulatorFrames.assign (sourcesPerTarget * maxRenderFrames, 0.0f);
    columnsRead.assign (sourcesPerTarget, false);
    targetFrames.assign ((size_t) numTargets * maxRenderFrames, 0.0f);
    displayDepths.assign ((size_t) numTargets, 0.0f);

    for (int target = 0; target < numTargets; ++target)
    {
        auto& values = matrixParameterValues.emplace_back();

        for (int column = 0; column < numColumns; ++column)
        {
            const auto isScale = column == modulators.size();
            const auto uid = getModMatrixParameterUID (target, column);
            auto* raw = addFloatParameter (valueTreeState, uid, uid,
                                           (isScale ? percentRange : bipolarPercentRange).toNormalisableRange(),
                                           isScale ? fullScale : 0.0f,
                                           "%", getPercentParameterText);
            values.push_back (raw);
            valueTreeState.addParameterListener (uid, this);
        }
    }

    globalDepthParameter = addFloatParameter (valueTreeState, globalModDepthParameterUID, "Global Mod Scale",
                                              percentRange.toNormalisableRange(), fullScale, "%", getPercentParameterText);
    valueTreeState.addParameterListener (globalModDepthParameterUID, this);
    matrixChanged.store (true);
}

//==============================================================================
juce::String ModulationsManager::getModMatrixParameterUID (int target, int column) const
{
    jassert (column >= 0);

    if (column < 0)
        return {};

    if (column < modulators.size())
        return matrixParameterPrefix + modulators[column]->getUID() + "_to_" + targetNames[target];

    if (column == modulators.size())
        return matrixParameterPrefix + targetNames[target] + "_Global_Scale";

    return {};
}

//==============================================================================
void ModulationsManager::refreshMatrixForBlock()
{
    // Taken before the cells are read: a cell that changes while they are read raises the
    // flag again, and the next block reads it.
    if (matrixChanged.exchange (false, std::memory_order_acquire))
        readMatrix();

    for (auto* modulator : modulators)
        modulator->precalculateForBlock();
}

void ModulationsManager::parameterChanged (const juce::String&, float)
{
    matrixChanged.store (true, std::memory_order_release);
}

void ModulationsManager::readMatrix() noexcept
{
    // Before createMatrixParameters() there is no matrix to read.
    if (globalDepthParameter == nullptr)
        return;

    globalDepth = globalDepthParameter->load() * percentToFraction;

    const auto scaleColumn = (size_t) modulators.size();
    std::fill (columnsRead.begin(), columnsRead.end(), false);

    for (size_t target = 0; target < matrixParameterValues.size(); ++target)
    {
        const auto& values = matrixParameterValues[target];
        auto* sources = activeSources.data() + target * sourcesPerTarget;
        int numSources = 0;

        for (size_t column = 0; column < scaleColumn; ++column)
        {
            const auto amount = values[column]->load() * percentToFraction;

            if (amount != 0.0f)
                sources[numSources++] = { modulators.getUnchecked ((int) column), column, amount, std::abs (amount), amount > 0.0f };
        }

        const auto scale = values[scaleColumn]->load() * percentToFraction;
        const auto anyDepthAndScale = numSources > 0 && scale != 0.0f;
        const auto active = globalDepth > 0.0f && anyDepthAndScale;
        targetStates[target] = { sources, scale, (short) numSources, active, anyDepthAndScale };
        displayDepths[target] = computeDisplayDepth ((int) target);

        for (int k = 0; k < numSources && active; ++k)
            columnsRead[sources[k].column] = true;
    }
}

void ModulationsManager::renderFrames (int numFrames) noexcept
{
    jassert (numFrames <= maxRenderFrames);
    numRenderedFrames = numFrames;

    // Before createMatrixParameters() there is nowhere to keep the outputs.
    if (modulatorFrames.empty())
        return;

    const auto anyFollowsMatrix = std::any_of (modulators.begin(), modulators.end(), [] (const Modulator* modulator)
                                               { return modulator->areModsActive(); });

    if (!anyFollowsMatrix)
    {
        // Then no modulator reads another, and each can run its stretch on its own; only
        // the outputs that some target reads need to be worked out frame by frame.
        for (int m = 0; m < modulators.size(); ++m)
        {
            auto* modulator = modulators.getUnchecked (m);

            if (columnsRead[(size_t) m])
                modulator->renderFrames (modulatorFrames.data() + (size_t) m * maxRenderFrames, numFrames);
            else
                modulator->skipFrames (numFrames);
        }

        return;
    }

    // The list and the outputs' rows held in locals: the steps are calls the compiler can't
    // see into, after which it would read them again.
    auto* const* list = modulators.data();
    const auto numModulators = modulators.size();
    auto* outputs = modulatorFrames.data();

    for (int i = 0; i < numFrames; ++i)
    {
        for (int m = 0; m < numModulators; ++m)
        {
            auto* modulator = list[m];
            modulator->processSingleSample (0.0f);
            outputs[(size_t) m * maxRenderFrames + (size_t) i] = modulator->getValue();
        }
    }
}

const float* ModulationsManager::getModulationFrames (int target) noexcept
{
    const auto t = (size_t) target;

    if (t >= targetStates.size() || !targetStates[t].active)
        return silentFrames.data();

    const auto& state = targetStates[t];
    auto* frames = targetFrames.data() + t * maxRenderFrames;
    const auto* columns = modulatorFrames.data();
    const auto numFrames = numRenderedFrames;
    const auto one = _mm_set1_ps (1.0f);
    const auto zero = _mm_setzero_ps();

    const auto scale = _mm_set1_ps (state.scale);
    const auto depth = _mm_set1_ps (globalDepth);

    // Source by source over the stretch, four frames at a time: each frame's sum is still
    // formed from zero in column order, as a poll forms it, and scaled and clamped with the
    // last source. A stretch of a length that four doesn't divide works up to three frames
    // beyond it, inside the rows, which no one reads.
    static_assert (maxRenderFrames % 4 == 0);

    for (int k = 0; k < state.numSources; ++k)
    {
        const auto& source = state.sources[k];
        const auto* outputs = columns + source.column * maxRenderFrames;
        const auto positive = source.positive;
        const auto amount = _mm_set1_ps (positive ? source.amount : source.absoluteAmount);
        const auto first = k == 0;
        const auto last = k == state.numSources - 1;

        for (int i = 0; i < numFrames; i += 4)
        {
            const auto output = _mm_loadu_ps (outputs + i);
            const auto contribution = _mm_mul_ps (positive ? output : _mm_sub_ps (one, output), amount);
            const auto sum = _mm_add_ps (first ? zero : _mm_loadu_ps (frames + i), contribution);

            // clampToUnit() lane by lane: the maximum and the minimum keep their second
            // operand when the other is a NaN, as the selections there keep a NaN.
            const auto scaled = _mm_mul_ps (_mm_mul_ps (scale, sum), depth);
            _mm_storeu_ps (frames + i, last ? _mm_min_ps (one, _mm_max_ps (zero, scaled)) : sum);
        }
    }

    return frames;
}

float ModulationsManager::pollModulationValue (const juce::String& targetId) const noexcept
{
    const auto target = targetNames.indexOf (targetId);
    return target < 0 ? 0.0f : pollModulationValue (target);
}

bool ModulationsManager::areModsActiveForTarget (int target) const noexcept
{
    // The matrix only changes in refreshMatrixForBlock(), which keeps the answer.
    return (size_t) target < targetStates.size() && targetStates[(size_t) target].anyDepthAndScale;
}

bool ModulationsManager::areModsActiveForTargets (const std::vector<int>& targets) const noexcept
{
    for (const auto target : targets)
        if (areModsActiveForTarget (target))
            return true;

    return false;
}

float ModulationsManager::getTargetDisplayDepth (const juce::String& targetId) const noexcept
{
    return computeDisplayDepth (targetNames.indexOf (targetId));
}

float ModulationsManager::computeDisplayDepth (int target) const noexcept
{
    if (target < 0 || (size_t) target >= matrixParameterValues.size())
        return 0.0f;

    const auto& values = matrixParameterValues[(size_t) target];
    const auto scaleColumn = (size_t) modulators.size();
    const auto scale = values[scaleColumn]->load() * percentToFraction;

    if (scale == 0.0f)
        return 0.0f;

    float sum = 0.0f;

    for (size_t column = 0; column < scaleColumn; ++column)
        sum += std::abs (values[column]->load() * percentToFraction);

    return clampToUnit ((globalDepthParameter->load() * percentToFraction) * (scale * sum));
}

//==============================================================================
juce::StringArray ModulationsManager::getMatrixParameterUIDs() const
{
    juce::StringArray uids;

    for (int target = 0; target < (int) matrixParameterValues.size(); ++target)
        for (int column = 0; column <= modulators.size(); ++column)
            uids.add (getModMatrixParameterUID (target, column));

    return uids;
}

void ModulationsManager::resetMatrixParameters (juce::AudioProcessorValueTreeState& store)
{
    for (const auto& uid : getMatrixParameterUIDs())
        if (auto* parameter = store.getParameter (uid))
            setParameterNotifyingHost (*parameter, parameter->getDefaultValue(), !hostIsLive);
}
} // namespace velk
