#include "processor/NumberReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace velk
{
namespace
{
    // The framework keeps 17 significant digits and one more for the rounding; the zeros right
    // after a point count among them, and the digits past them are dropped, not rounded.
    constexpr int maxSignificantDigits = 18;

    // Far beyond any exponent a double has and any count of digits a text can hold, and far
    // below what an int64 can count to.
    constexpr std::int64_t exponentCeiling = 1'000'000'000'000;

    bool isSpace (char c) noexcept
    {
        return c == ' ' || (c >= '\t' && c <= '\r');
    }

    bool isDigit (char c) noexcept
    {
        return c >= '0' && c <= '9';
    }

    int digitOf (char c) noexcept
    {
        return c - '0';
    }

    bool startsWithWord (const char* text, const char* lowerCaseWord) noexcept
    {
        for (; *lowerCaseWord != 0; ++text, ++lowerCaseWord)
            if (*text != *lowerCaseWord && *text != *lowerCaseWord - ('a' - 'A'))
                return false;

        return true;
    }

    double readDoubleText (const char* text)
    {
        constexpr auto infinity = std::numeric_limits<double>::infinity();

        while (isSpace (*text))
            ++text;

        // The sign, the significant digits with the point, 'e', the exponent's sign and digits.
        std::array<char, 32> kept{};
        auto* write = kept.data();
        const auto negative = *text == '-';

        if (negative)
            *write++ = '-';

        if (*text == '-' || *text == '+')
            ++text;

        if (startsWithWord (text, "nan"))
            return std::numeric_limits<double>::quiet_NaN();

        if (startsWithWord (text, "inf"))
            return negative ? -infinity : infinity;

        auto anyDigit = false, pointFound = false;
        auto numSignificant = 0;
        std::int64_t exponent = 0;

        for (;; ++text)
        {
            if (isDigit (*text))
            {
                anyDigit = true;

                if (numSignificant == maxSignificantDigits)
                {
                    // Dropped; before the point it still makes the number ten times larger.
                    exponent += pointFound ? 0 : 1;
                }
                else if (pointFound || numSignificant > 0 || *text != '0') // a leading zero is skipped
                {
                    *write++ = *text;
                    ++numSignificant;
                }
            }
            else if (*text == '.' && !pointFound)
            {
                *write++ = '.';
                pointFound = true;
            }
            else
            {
                break;
            }
        }

        if (!anyDigit)
            return 0.0;

        if (*text == 'e' || *text == 'E')
        {
            ++text;
            const auto negativeExponent = *text == '-';

            if (*text == '-' || *text == '+')
                ++text;

            std::int64_t given = 0;

            for (; isDigit (*text); ++text)
                given = std::min (given * 10 + digitOf (*text), exponentCeiling);

            exponent += negativeExponent ? -given : given;
        }

        if (exponent < std::numeric_limits<double>::min_exponent10 - 1)
            return negative ? -0.0 : 0.0;

        if (exponent > std::numeric_limits<double>::max_exponent10 + 1)
            return negative ? -infinity : infinity;

        *write++ = 'e';
        std::to_chars (write, kept.data() + kept.size() - 1, exponent);

        // The C locale's decimal point, whatever locale the host has set.
        static const auto cLocale = newlocale (LC_ALL_MASK, "C", nullptr);
        return strtod_l (kept.data(), nullptr, cLocale);
    }

    int readIntText (const char* text)
    {
        while (isSpace (*text))
            ++text;

        const auto negative = *text == '-';

        if (*text == '-' || *text == '+')
            ++text;

        constexpr std::int64_t lowest = std::numeric_limits<int>::min(), highest = std::numeric_limits<int>::max();
        std::int64_t magnitude = 0;

        for (; isDigit (*text); ++text)
            magnitude = std::min (magnitude * 10 + digitOf (*text), -lowest);

        return (int) juce::jlimit (lowest, highest, negative ? -magnitude : magnitude);
    }
} // namespace

double NumberReader::readDouble (const juce::var& value)
{
    if (!value.isString())
        return static_cast<double> (value);

    const auto text = value.toString();
    return readDoubleText (text.toRawUTF8());
}

int NumberReader::readInt (const juce::var& value)
{
    if (!value.isString())
        return static_cast<int> (value);

    const auto text = value.toString();
    return readIntText (text.toRawUTF8());
}
} // namespace velk
