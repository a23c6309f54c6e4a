#include "app/Formatting.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale.h>
#include <random>
#include <string>

namespace {

// printf in the "C" locale, the rules FormatNumber must follow.
std::string CPrintf(const char* format, double x)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const locale_t old = uselocale(c);
    char buf[512];
    std::snprintf(buf, sizeof buf, format, x);
    uselocale(old);
    return buf;
}

std::string CPrintfInt(int i)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%i", i);
    return buf;
}

// Switches the whole process to French (decimal comma) for one test.
class FrenchLocale {
public:
    FrenchLocale() : old_(std::setlocale(LC_ALL, nullptr))
    {
        ok_ = std::setlocale(LC_ALL, "fr_FR.UTF-8") != nullptr;
    }
    ~FrenchLocale() { std::setlocale(LC_ALL, old_.c_str()); }
    bool ok() const { return ok_; }

private:
    std::string old_;
    bool ok_ = false;
};

// Seconds of a FormatHours text ("2 h 05 min 7 s", "15 min", "12 h ").
long HoursTextToSeconds(const std::string& text)
{
    long total = 0;
    long value = 0;
    bool haveValue = false;
    bool negative = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '-') {
            negative = true;
        } else if (ch >= '0' && ch <= '9') {
            value = value * 10 + (ch - '0');
            haveValue = true;
        } else if (ch != ' ' && haveValue) {
            const std::string unit = text.substr(i, text.find(' ', i) - i);
            total += value * (unit == "h" ? 3600 : unit == "min" ? 60 : 1);
            value = 0;
            haveValue = false;
            i += unit.size() - 1;
        }
    }
    return negative ? -total : total;
}

// Seconds of a FormatAngle text ("14° 59' 54\"", "-0° 15'", "1 h 05' 07\"").
long AngleTextToSeconds(const std::string& text)
{
    long total = 0;
    long value = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch >= '0' && ch <= '9')
            value = value * 10 + (ch - '0');
        else if (ch == '\'')
            total += value * 60, value = 0;
        else if (ch == '"')
            total += value, value = 0;
        else if (ch == 'h' || static_cast<unsigned char>(ch) == 0xC2)  // " h" or "°"
            total += value * 3600, value = 0;
    }
    return text.starts_with("-") ? -total : total;
}

int RomanValue(const std::string& roman)
{
    const auto digit = [](char c) { return c == 'I' ? 1 : c == 'V' ? 5 : c == 'X' ? 10 : 0; };
    int total = 0;
    for (size_t i = 0; i < roman.size(); ++i) {
        const int v = digit(roman[i]);
        if (v == 0)
            return -1;
        total += (i + 1 < roman.size() && digit(roman[i + 1]) > v) ? -v : v;
    }
    return total;
}

}  // namespace

TEST(FormatNumber, FollowsPrintfRulesOverWideRanges)
{
    std::mt19937 rng(1234);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-8, 12);
    for (int i = 0; i < 5000; ++i) {
        const double x = mantissa(rng) * std::pow(10.0, exponent(rng));
        SCOPED_TRACE(CPrintf("%.17g", x));
        EXPECT_EQ(FormatNumber(x, 1), CPrintf("%.1f", x));
        EXPECT_EQ(FormatNumber(x, 2), CPrintf("%.2f", x));
        EXPECT_EQ(FormatNumber(x, 3), CPrintf("%.3f", x));
        EXPECT_EQ(FormatNumber(x, 4), CPrintf("%.4f", x));
        if (std::fabs(x) < 2e9) {
            EXPECT_EQ(FormatNumber(x, 0), CPrintfInt(static_cast<int>(std::lround(x))));
        }
        const double t = std::trunc(x);
        if (std::fabs(x - t) >= 0.00001) {
            EXPECT_EQ(FormatNumber(x, -1), CPrintf("%.4g", x));
        } else if (std::fabs(t) < 2e9) {
            EXPECT_EQ(FormatNumber(x, -1), CPrintfInt(static_cast<int>(t)));
        }
    }
    // Exact halves go to the even neighbour in printf; the integer kind goes away from zero.
    EXPECT_EQ(FormatNumber(0.125, 2), CPrintf("%.2f", 0.125));
    EXPECT_EQ(FormatNumber(2.5, 0), "3");
    EXPECT_EQ(FormatNumber(-2.5, 0), "-3");
}

TEST(FormatNumber, ProgramKindWritesIntegersWholeAndOthersToFourDigits)
{
    EXPECT_EQ(FormatNumber(2.0000001, -1), "2");
    EXPECT_EQ(FormatNumber(2.5, -1), "2.5");
    EXPECT_EQ(FormatNumber(1500.0, -1), "1500");
    EXPECT_EQ(FormatNumber(0.123456, -1), "0.1235");
    EXPECT_EQ(FormatNumber(-0.0000001, -1), "0");
    // Beyond the int range: no overflow, integers still written digit for digit.
    EXPECT_EQ(FormatNumber(3e9, -1), "3000000000");
    EXPECT_EQ(FormatNumber(-4294967296.0, -1), "-4294967296");
    EXPECT_EQ(FormatNumber(1e20, -1), "1e+20");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), -1), "inf");
    EXPECT_EQ(FormatNumber(std::nan(""), -1), "nan");
    EXPECT_EQ(FormatNumber(1e300, 0), "2147483647");
}

TEST(FormatNumber, IgnoresTheProcessLocale)
{
    FrenchLocale french;
    ASSERT_TRUE(french.ok()) << "the fr_FR.UTF-8 locale is missing (test.sh generates it)";
    EXPECT_EQ(FormatNumber(2.5, 1), "2.5");
    EXPECT_EQ(FormatNumber(1234.5678, 4), "1234.5678");
    EXPECT_EQ(FormatNumber(0.123456, -1), "0.1235");
    EXPECT_DOUBLE_EQ(StringToDouble("2.75"), 2.75);
    EXPECT_DOUBLE_EQ(StringToDouble("1,5"), 1.0);
    EXPECT_DOUBLE_EQ(DegMinStringsToAngle("-3", "30"), -3.5);
}

TEST(StringConversions, ReadTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(StringToDouble("  -3.25 deg"), -3.25);
    EXPECT_DOUBLE_EQ(StringToDouble("abc"), 0.0);
    EXPECT_DOUBLE_EQ(StringToDouble(""), 0.0);
    EXPECT_DOUBLE_EQ(StringToDouble("1e3"), 1000.0);
    EXPECT_EQ(StringToInt("42x"), 42);
    EXPECT_EQ(StringToInt(" -7"), -7);
    EXPECT_EQ(StringToInt("x42"), 0);
    EXPECT_EQ(StringToInt("99999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(StringToInt("-99999999999"), std::numeric_limits<int>::min());
}

TEST(DegreesMinutes, RoundToTheNearestMinuteWithCarry)
{
    int d = 0, m = 0;
    DegreesToDegMin(45.75, d, m);
    EXPECT_EQ(d, 45);
    EXPECT_EQ(m, 45);
    DegreesToDegMin(-1.5, d, m);
    EXPECT_EQ(d, -1);
    EXPECT_EQ(m, 30);
    DegreesToDegMin(45.9999, d, m);
    EXPECT_EQ(d, 46);
    EXPECT_EQ(m, 0);
    DegreesToDegMin(-45.9999, d, m);
    EXPECT_EQ(d, -46);
    EXPECT_EQ(m, 0);
    EXPECT_DOUBLE_EQ(DegMinToDegrees(45, 45), 45.75);
    EXPECT_DOUBLE_EQ(DegMinStringsToAngle("-3", "30"), -3.5);
    EXPECT_DOUBLE_EQ(DegMinStringsToAngle("3", "30"), 3.5);
}

TEST(DegreesMinutes, TextsRoundTripAndNeverShowSixtyMinutes)
{
    std::mt19937 rng(99);
    std::uniform_real_distribution<double> angle(-180.0, 180.0);
    for (int i = 0; i < 20000; ++i) {
        double x = angle(rng);
        if (i % 4 == 0)  // just below a whole degree, where a carry is needed
            x = std::trunc(x) + (x < 0 ? -1 : 1) * (1 - 1e-5);
        if (std::fabs(x) < 1.0)
            continue;  // the degree text of -0.x is "0": the sign lives elsewhere in the dialogs
        std::string degreeText, minuteText;
        AngleToDegMinStrings(x, degreeText, minuteText);
        SCOPED_TRACE(std::to_string(x) + " -> " + degreeText + " " + minuteText);
        const int minutes = StringToInt(minuteText);
        EXPECT_GE(minutes, 0);
        EXPECT_LE(minutes, 59);
        EXPECT_NEAR(DegMinStringsToAngle(degreeText, minuteText), x, 1.0 / 120 + 1e-9);
    }
}

TEST(FormatHours, WritesHoursMinutesAndSeconds)
{
    EXPECT_EQ(FormatHours(12.5, false, false), "12 h 30 min");
    EXPECT_EQ(FormatHours(0.25, false, false), "15 min");
    EXPECT_EQ(FormatHours(12.0, true, false), "12 h 00 min 00 s");
    EXPECT_EQ(FormatHours(12.0, false, false), "12 h ");
    EXPECT_EQ(FormatHours(0.25, false, true), "0 h 15 min");
    EXPECT_EQ(FormatHours(2 + 5 / 60.0 + 7 / 3600.0, true, false), "2 h 05 min 7 s");
    EXPECT_EQ(FormatHours(12 + 7 / 3600.0, true, false), "12 h 00 min 7 s");
    EXPECT_EQ(FormatHours(25.5, false, false), "1 h 30 min");
    EXPECT_EQ(FormatHours(48.0, false, false), "24 h ");
}

TEST(FormatHours, CarriesRoundedSecondsAndKeepsTheSign)
{
    EXPECT_EQ(FormatHours(1.2, true, false), "1 h 12 min");
    EXPECT_EQ(FormatHours(1.2, false, false), "1 h 12 min");
    EXPECT_EQ(FormatHours(13.9999999, true, false), "14 h 00 min 00 s");
    EXPECT_EQ(FormatHours(0.99999999, false, false), "1 h ");
    EXPECT_EQ(FormatHours(-0.25, false, false), "-15 min");
    EXPECT_EQ(FormatHours(-0.25, false, true), "-0 h 15 min");
    EXPECT_EQ(FormatHours(-2.5, false, false), "-2 h 30 min");
    EXPECT_EQ(FormatHours(std::nan(""), true, false), "00 min 00 s");

    std::mt19937 rng(7);
    std::uniform_int_distribution<long> seconds(0, 86399);
    std::uniform_real_distribution<double> noise(-0.45, 0.45);
    for (int i = 0; i < 20000; ++i) {
        const long t = seconds(rng);
        const double hours = (static_cast<double>(t) + noise(rng)) / 3600.0;
        const std::string text = FormatHours(hours, true, false);
        SCOPED_TRACE(std::to_string(t) + " s -> " + text);
        EXPECT_EQ(HoursTextToSeconds(text), t);
        EXPECT_EQ(text.find("60 "), std::string::npos);
    }
}

TEST(FormatAngle, WritesDegreesOrHours)
{
    EXPECT_EQ(FormatAngle(45.5, false, false), "45° 30'");
    EXPECT_EQ(FormatAngle(-0.25, false, false), "-0° 15'");
    EXPECT_EQ(FormatAngle(15.0, false, true), "1 h");
    EXPECT_EQ(FormatAngle(14.998333, false, true), "1 h");
    EXPECT_EQ(FormatAngle(14.998333, true, false), "14° 59' 54\"");
    EXPECT_EQ(FormatAngle(45.0 + 1 / 3600.0, true, false), "45° 00' 01\"");
    EXPECT_EQ(FormatAngle(10.5, false, true), "0 h 42'");
    EXPECT_EQ(FormatAngle(-0.00001, false, true), "0 h");

    std::mt19937 rng(11);
    std::uniform_int_distribution<long> arcSeconds(-648000, 648000);
    for (int i = 0; i < 20000; ++i) {
        const long t = arcSeconds(rng);
        const double degrees = static_cast<double>(t) / 3600.0;
        const std::string text = FormatAngle(degrees, true, false);
        SCOPED_TRACE(std::to_string(t) + " -> " + text);
        EXPECT_EQ(AngleTextToSeconds(text), t);
        const std::string hours = FormatAngle(degrees, true, true);
        const long timeSeconds = std::lround(std::fabs(static_cast<double>(t)) / 15.0);
        EXPECT_EQ(AngleTextToSeconds(hours), t < 0 && timeSeconds > 0 ? -timeSeconds : timeSeconds)
            << hours;
        EXPECT_EQ(hours.find("60'"), std::string::npos);
    }
}

TEST(FormatRomanHour, CoversTheDayAndRejectsTheRest)
{
    for (int h = 1; h <= 24; ++h)
        EXPECT_EQ(RomanValue(FormatRomanHour(h)), h) << h;
    EXPECT_EQ(FormatRomanHour(0), "XXIV");
    EXPECT_EQ(FormatRomanHour(4), "IV");
    EXPECT_EQ(FormatRomanHour(19), "XIX");
    EXPECT_EQ(FormatRomanHour(25), "?!?");
    EXPECT_EQ(FormatRomanHour(-1), "?!?");
}
