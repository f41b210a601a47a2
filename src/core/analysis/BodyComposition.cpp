#include "analysis/BodyComposition.h"

#include "analysis/Catalogue.h"
#include "analysis/ReportValues.h"
#include "common/Random.h"
#include "persons/BodyClasses.h"

#include <cmath>

namespace hv {
namespace {

constexpr int kLargestMeasure = 9999;

// Height or weight as the person editor reads them (leading digits, "170cm" is 170); -1
// unless the number is in 1..9999.
int ParseMeasure(std::string_view text) {
    const int value = ParseLeadingInteger(text);
    return value >= 1 && value <= kLargestMeasure ? value : -1;
}

struct Frame {
    double standard;    // S
    double heightRatio; // hr
    double weightRatio; // wr
    double fatLow;
    double fatHigh;
    double fatStandard; // f
};

Frame FrameOf(const BodyMeasures& m) {
    Frame f{};
    f.standard = StandardWeight(m);
    f.heightRatio = m.height / (m.female ? 158.0 : 169.0);
    f.weightRatio = m.weight / f.standard;
    f.fatLow = m.female ? 0.17 : 0.14;
    f.fatHigh = m.female ? 0.24 : 0.20;
    f.fatStandard = m.female ? 0.20 : 0.17;
    return f;
}

int Trunc(double v) {
    return static_cast<int>(std::trunc(v));
}

double MuscleBarRatio(double muscle, int weight) {
    const double x = muscle / (weight * 0.4);
    if (x > 1.1)
        return 1.10 + (rng::Next() % Trunc((1.25 - 1.1) * 100)) / 100.0;
    if (x < 0.9)
        return 0.75 + (rng::Next() % Trunc((0.9 - 0.75) * 100)) / 100.0;
    return x;
}

void ScoreBand(const Frame& f, int& lo, int& hi) {
    const double hr = f.heightRatio, wr = f.weightRatio;
    if (hr < 0.9 || hr > 1.1 || wr < 0.8 || wr > 1.2) {
        lo = 60, hi = 70;
    } else if (hr >= 0.95 && hr <= 1.05 && wr >= 0.9 && wr <= 1.1) {
        lo = 85, hi = 95;
    } else {
        lo = 70, hi = 85;
    }
}

enum class Level { Low, In, High };

Level LevelOf(double ratio) {
    if (ratio < 0.9)
        return Level::Low;
    return ratio > 1.1 ? Level::High : Level::In;
}

double Stored(const std::vector<DbValue>& stored, int column) {
    const auto k = static_cast<std::size_t>(column - 1);
    return k < stored.size() ? stored[k].AsDouble() : 0.0;
}

const char* Mark(bool on) {
    return on ? "#" : "&nbsp;";
}

} // namespace

bool ParseBodyMeasures(std::string_view heightText, std::string_view weightText, bool female,
                       int age, BodyMeasures& measures) {
    const int height = ParseMeasure(heightText);
    const int weight = ParseMeasure(weightText);
    if (height < 0 || weight < 0 || height <= (female ? 70 : 80))
        return false;
    measures = {height, weight, female, age, std::string(heightText), std::string(weightText)};
    return true;
}

double StandardWeight(const BodyMeasures& m) {
    return m.female ? (m.height - 70) * 0.6 : (m.height - 80) * 0.7;
}

std::vector<DbValue> ComputeBodyComposition(const BodyMeasures& m) {
    const Frame f = FrameOf(m);
    const int W = m.weight, H = m.height;
    std::vector<double> v(kBodyCompositionColumns + 1, 0.0); // v[1] .. v[28]
    v[1] = W * 0.39;
    v[2] = W * 0.21;
    v[4] = std::trunc(W * 6.12) / 100;
    const int k = rng::Next() % Trunc((f.fatHigh - f.fatLow) * 100);
    v[5] = (f.fatLow + k / 100.0) * W;
    v[3] = std::trunc((W - v[1] - v[2] - v[4] - v[5]) * 100) / 100;
    v[6] = v[2] + v[1];
    v[7] = v[6] + v[3];
    v[8] = v[7] + v[4];
    v[10] = f.heightRatio * 1000 - 800;
    v[11] = f.weightRatio * 500 - 300;
    const double x = MuscleBarRatio(v[7], W);
    v[13] = (std::trunc(100 * v[5] / (W * f.fatStandard)) - 20) * 2.5;
    v[14] = std::trunc(v[5] * 1000 / W) / 10;
    v[15] = (rng::Next() % 15) / 100.0 + 0.85;
    v[17] = ((W * 100000) / (H * H)) / 10.0;
    v[19] = (rng::Next() % 500) / 100.0 + 35.0;
    const int target = Trunc(f.standard);
    const int control = target - W;
    v[26] = control > 0 ? control * 0.45 : control;
    v[27] = control > 0 ? control - control * 0.45 : 0.0;
    int lo2 = 0, hi2 = 0;
    ScoreBand(f, lo2, hi2);
    v[28] = lo2 + (rng::Next() % ((hi2 - lo2) * 10)) / 10.0;

    std::vector<DbValue> values(v.begin() + 1, v.end());
    const auto set = [&](int column, DbValue value) {
        values[static_cast<std::size_t>(column - 1)] = std::move(value);
    };
    set(9, W);
    set(12, (Trunc(100 * x) - 60) * 5);
    set(16, Trunc(W * 100 / f.standard));
    set(18, m.female ? Trunc(665.1 + 9.56 * W + 1.85 * H - 4.68 * m.age)
                     : Trunc(66.47 + 13.75 * W + 5 * H - 6.76 * m.age));
    for (int column = 20; column <= 23; ++column)
        set(column, DbValue());
    set(24, target);
    set(25, control);
    return values;
}

std::array<std::string, 18> AssessmentCells(const std::vector<DbValue>& stored,
                                            const BodyMeasures& m) {
    const Frame f = FrameOf(m);
    const double W = m.weight;
    // The muscle rows use the muscle volume against 40% of the weight, the ratio the muscle
    // bar is drawn from.
    const Level muscle = LevelOf(Stored(stored, 7) / (0.4 * W));
    const Level weight = LevelOf(f.weightRatio);
    const std::array<Level, 3> others{LevelOf(Stored(stored, 3) / (0.18 * W)),
                                      LevelOf(Stored(stored, 5) / (W * f.fatStandard)),
                                      LevelOf(Stored(stored, 4) / (0.045 * W))};
    constexpr std::array<Level, 3> kColumns{Level::Low, Level::In, Level::High};
    std::array<std::string, 18> cells;
    std::size_t i = 0;
    for (Level row : kColumns)
        for (Level column : kColumns)
            cells[i++] = Mark(muscle == row && weight == column);
    for (Level level : others)
        for (Level column : kColumns)
            cells[i++] = Mark(level == column);
    return cells;
}

RowState EnsureBodyCompositionRow(CAdoDb& db, std::int32_t measId, std::int32_t examerId,
                                  const BodyMeasures& m, std::vector<DbValue>* row) {
    const int number = ReportNumber(kBodyCompositionSlot);
    std::vector<DbValue> found;
    bool own = false;
    double earlierDate = 0.0;
    const RowQuery lookup =
        ReadOwnOrLatestRow(db, number, measId, examerId, found, own, earlierDate);
    if (lookup == RowQuery::Failed)
        return RowState::Failed;
    if (own) {
        if (row)
            *row = std::move(found);
        return RowState::Existed;
    }
    std::vector<DbValue> values;
    if (lookup == RowQuery::Found) {
        values = std::move(found);
        values.resize(kBodyCompositionColumns);
        for (DbValue& v : values)
            if (!v.IsNull())
                v = v.AsDouble();
    } else {
        SeedGeneratorFromClock();
        values = ComputeBodyComposition(m);
    }
    if (!InsertValueRow(db, number, measId, values))
        return RowState::Failed;
    if (row)
        *row = std::move(values);
    return RowState::Created;
}

} // namespace hv
