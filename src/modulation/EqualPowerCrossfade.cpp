#include "modulation/EqualPowerCrossfade.h"

#include <emmintrin.h>

namespace velk
{
namespace
{
    // equalPowerCurve() of the angles in two pairs of doubles, in single precision.
    __m128 equalPowerCurves (__m128d firstAngles, __m128d lastAngles) noexcept
    {
        const auto x = _mm_movelh_ps (_mm_cvtpd_ps (firstAngles), _mm_cvtpd_ps (lastAngles));
        const auto xSquared = _mm_mul_ps (x, x);
        const auto inner = _mm_sub_ps (_mm_mul_ps (_mm_set1_ps (0.03705f), xSquared), _mm_set1_ps (0.4967f));
        return _mm_add_ps (_mm_mul_ps (inner, xSquared), _mm_set1_ps (1.0f));
    }
} // namespace

void makeEqualPowerGains (const float* amounts, EqualPowerGains* gains, int numFrames) noexcept
{
    static_assert (sizeof (EqualPowerGains) == 2 * sizeof (float), "the gains are stored as dry and wet pairs");

    const auto halfPi = _mm_set1_pd (juce::MathConstants<double>::halfPi);
    const auto one = _mm_set1_pd (1.0);
    int i = 0;

    for (; i + 4 <= numFrames; i += 4)
    {
        const auto four = _mm_loadu_ps (amounts + i);
        const auto first = _mm_cvtps_pd (four);
        const auto last = _mm_cvtps_pd (_mm_movehl_ps (four, four));

        const auto dry = equalPowerCurves (_mm_mul_pd (first, halfPi), _mm_mul_pd (last, halfPi));
        const auto wet = equalPowerCurves (_mm_mul_pd (_mm_sub_pd (one, first), halfPi), _mm_mul_pd (_mm_sub_pd (one, last), halfPi));

        auto* pairs = reinterpret_cast<float*> (gains + i);
        _mm_storeu_ps (pairs, _mm_unpacklo_ps (dry, wet));
        _mm_storeu_ps (pairs + 4, _mm_unpackhi_ps (dry, wet));
    }

    for (; i < numFrames; ++i)
        gains[i] = EqualPowerGains (amounts[i]);
}
} // namespace velk
