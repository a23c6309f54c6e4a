#include "model/CDateTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <random>
#include <string>

namespace {

CDateTime At(int year, int month, int day, double hours)
{
    CDateTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.SetDecimalHours(hours);
    return t;
}

std::string Fields(const CDateTime& t)
{
    return std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) + " " +
           std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" + std::to_string(t.second);
}

TEST(DateTime, SplitCarriesTheRoundedSecondAndFloorsNegativeHours)
{
    EXPECT_EQ(Fields(At(0, 0, 0, 13.999999)), "0-0-0 14:0:0");
    EXPECT_EQ(Fields(At(0, 0, 0, 14.0 + 5.0 / 60 + 30.0 / 3600)), "0-0-0 14:5:30");
    EXPECT_EQ(Fields(At(0, 0, 0, 0.999999)), "0-0-0 1:0:0");
    EXPECT_EQ(Fields(At(0, 0, 0, -1.25)), "0-0-0 -2:45:0");
    EXPECT_EQ(Fields(At(0, 0, 0, -0.0000001)), "0-0-0 0:0:0");
    // Every split reads back as the decimal hours it came from, to the rounded second.
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> hours(-48.0, 48.0);
    for (int i = 0; i < 2000; ++i) {
        CDateTime t = At(0, 0, 0, hours(rng));
        ASSERT_GE(t.minute, 0);
        ASSERT_LT(t.minute, 60);
        ASSERT_GE(t.second, 0);
        ASSERT_LT(t.second, 60);
        const double before = t.GetDecimalHours();
        t.UpdateDecimalHours();
        ASSERT_NEAR(t.GetDecimalHours(), before, 0.5 / 3600 + 1e-9) << before;
    }
}

TEST(DateTime, AddHoursKeepsTheDateAndNormalizeDateCarriesIt)
{
    CDateTime t = At(2023, 12, 31, 23.5);
    t.AddHours(1.0);
    EXPECT_EQ(Fields(t), "2023-12-31 24:30:0");  // no carry: callers rely on it
    t.NormalizeDate();
    EXPECT_EQ(Fields(t), "2024-1-1 0:30:0");
    EXPECT_NEAR(t.GetDecimalHours(), 0.5, 1e-12);

    t = At(2024, 3, 1, 0.5);
    t.AddHours(-1.0);
    t.NormalizeDate();
    EXPECT_EQ(Fields(t), "2024-2-29 23:30:0");
    t = At(2100, 3, 1, 0.5);
    t.AddHours(-1.0);
    t.NormalizeDate();
    EXPECT_EQ(Fields(t), "2100-2-28 23:30:0");
    t = At(2024, 1, 1, 12.0);
    t.AddHours(-24.0 * 365);
    t.NormalizeDate();
    EXPECT_EQ(Fields(t), "2023-1-1 12:0:0");
    // A rounded second that reaches midnight moves to the next day.
    t = At(2024, 12, 31, 23.99999999);
    t.NormalizeDate();
    EXPECT_EQ(Fields(t), "2025-1-1 0:0:0");
    // A month outside 1..12 carries into the year.
    t = At(2024, 14, 10, 1.0);
    t.NormalizeDate();
    EXPECT_EQ(Fields(t), "2025-2-10 1:0:0");

    // Moving by any whole number of seconds moves the Julian day by exactly as much.
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> seconds(-200 * 86400, 200 * 86400);
    for (int i = 0; i < 2000; ++i) {
        CDateTime u = At(1999, 12, 31, 17.25);
        const double jd = u.GetJulianDay();
        const int s = seconds(rng);
        u.AddHours(s / 3600.0);
        u.NormalizeDate();
        ASSERT_NEAR(u.GetJulianDay(), jd + s / 86400.0, 1e-8) << s << " " << Fields(u);
        ASSERT_GE(u.hour, 0);
        ASSERT_LT(u.hour, 24);
    }
}

TEST(DateTime, FormatTime)
{
    CDateTime t;
    t.SetTime(14, 5, 30);
    EXPECT_EQ(t.FormatTime(true, false), "14 h 05 min 30 s");
    t.SetTime(0, 5, 0);
    EXPECT_EQ(t.FormatTime(false, false), "5 min");
    EXPECT_EQ(t.FormatTime(true, true), "0 h 05 min 00 s");
    t.SetTime(9, 0, 0);
    EXPECT_EQ(t.FormatTime(true, false), "9 h 00 min 00 s");
    EXPECT_EQ(t.FormatTime(false, false), "9 h ");
    t.SetTime(10, 0, 7);
    EXPECT_EQ(t.FormatTime(true, false), "10 h 00 min 07 s");
    EXPECT_EQ(t.FormatTime(false, false), "10 h  07 s");
    t.SetTime(23, 59, 59);
    EXPECT_EQ(t.FormatTime(false, false), "23 h 59 min 59 s");
}

TEST(DateTime, SetTimeClearAndLocalTimeBreakdown)
{
    CDateTime t = At(2024, 5, 6, 7.5);
    t.SetTime(8, 30, 36);
    EXPECT_EQ(Fields(t), "0-0-0 8:30:36");
    EXPECT_DOUBLE_EQ(t.GetDecimalHours(), 8.51);
    t.Clear();
    EXPECT_EQ(Fields(t), "0-0-0 0:0:0");
    EXPECT_DOUBLE_EQ(t.GetDecimalHours(), 8.51);

    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "UTC", 1);
    tzset();
    t.SetFromTime(951782400 + 3723);  // 2000-02-29 01:02:03 UTC
    EXPECT_EQ(Fields(t), "2000-2-29 1:2:3");
    EXPECT_NEAR(t.GetDecimalHours(), 1.0 + 2.0 / 60 + 3.0 / 3600, 1e-12);
    setenv("TZ", "Pacific/Auckland", 1);  // +13 h in the southern summer
    tzset();
    t.SetFromTime(951782400 + 3723);
    EXPECT_EQ(Fields(t), "2000-2-29 14:2:3");
    t.SetFromTime(static_cast<std::int64_t>(1) << 62);  // beyond any broken-down year
    EXPECT_EQ(Fields(t), "0-0-0 -1:-1:-1");
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

}  // namespace
