#include "common/Clock.h"
#include "common/OleDate.h"
#include "common/Random.h"

#include <gtest/gtest.h>
#include <thread>

using namespace hv;

namespace {

TEST(RandomTest, ReproducesTheRuntimeSequence) {
    rng::Seed(1);
    const std::vector<int> expected = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    std::vector<int> drawn;
    for (std::size_t i = 0; i < expected.size(); ++i)
        drawn.push_back(rng::Next());
    EXPECT_EQ(drawn, expected);
    rng::Seed(1);
    EXPECT_EQ(rng::Next(), 41);
}

TEST(RandomTest, EachThreadHasItsOwnStateStartingAtOne) {
    rng::Seed(12345);
    rng::Next();
    int other = 0;
    std::thread([&] { other = rng::Next(); }).join();
    EXPECT_EQ(other, 41);
}

TEST(OleDateTest, ConvertsBothWays) {
    struct Case {
        DateTime dt;
        double ole;
    };
    const std::vector<Case> cases = {
        {{1899, 12, 30, 0, 0, 0}, 0.0},       {{1900, 1, 1, 0, 0, 0}, 2.0},
        {{2000, 1, 1, 12, 0, 0}, 36526.5},    {{2024, 2, 29, 6, 0, 0}, 45351.25},
        {{2026, 12, 10, 18, 0, 0}, 46366.75},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(ToOleDate(c.dt), c.ole);
        EXPECT_EQ(FromOleDate(c.ole), c.dt);
    }
    EXPECT_EQ(FromOleDate(ToOleDate({2021, 7, 4, 23, 59, 59})), (DateTime{2021, 7, 4, 23, 59, 59}));
}

TEST(OleDateTest, WholeYearsCountTheBirthdayAsReached) {
    const DateTime birth{1990, 6, 15};
    EXPECT_EQ(WholeYearsBetween(birth, {2020, 6, 15}), 30);
    EXPECT_EQ(WholeYearsBetween(birth, {2020, 6, 14}), 29);
    EXPECT_EQ(WholeYearsBetween(birth, {2020, 5, 31}), 29);
    EXPECT_EQ(WholeYearsBetween(birth, {2020, 7, 1}), 30);
}

TEST(ClockTest, AnInstalledClockIsWhatTheProgramReads) {
    using namespace std::chrono;
    FixedClock fixed(sys_days{year{2026} / 3 / 1} + hours{9});
    {
        ScopedClock scope(fixed);
        EXPECT_EQ(LocalNow(), (DateTime{2026, 3, 1, 9, 0, 0})); // tests run with TZ=UTC
        fixed.Advance(seconds{61});
        EXPECT_EQ(CurrentTimeSeconds(),
                  duration_cast<seconds>(fixed.Now().time_since_epoch()).count());
        EXPECT_EQ(LocalNow().minute, 1);
    }
    EXPECT_NE(&CurrentClock(), &fixed);
}

} // namespace
