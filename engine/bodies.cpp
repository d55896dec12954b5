#include "engine/bodies.h"

#include <cmath>
#include <filesystem>

#include "engine/bodies_theory.h"
#include "engine/ephemeris_tables.h"

namespace engine {

namespace {

// Corrections from the tables held in memory. The tables a computation reads
// are loaded before it starts (at their first need in the run): a damaged one
// is put back from the installation first, and one that is missing or cannot
// be put back leaves the chart state as it was.
class LoadedTableCorrections : public CorrectionSource {
public:
    explicit LoadedTableCorrections(EphemerisTables& tables) : tables_(tables) {}
    // Loads the tables a computation of `mode` at `jd` reads.
    void Require(int mode, Real jd, const BodySettings& s) {
        const TablesNeeded t = TablesNeededFor(mode, jd, s);
        if (t.moon && !moon_) moon_ = &tables_.Table(EphemerisTables::kMoon);
        if (t.planets && !planets_) planets_ = &tables_.Table(EphemerisTables::kPlanets);
        if (t.blackMoon && !blackMoon_) blackMoon_ = &tables_.Table(EphemerisTables::kBlackMoon);
        if (t.minor && !minor_) minor_ = &tables_.Table(EphemerisTables::kMinor);
        if (t.lunar && !lunar_) lunar_ = &tables_.Table(EphemerisTables::kLunar);
    }
    Real MoonCorrection(Real jd) override { return MoonCorrectionFrom(Get(moon_, EphemerisTables::kMoon), jd); }
    // The two records around jd are decoded once for all the fields read at jd.
    Real PlanetCorrection(int field, Real jd) override {
        if (!planetDecoded_ || jd != planetJd_) {
            const std::int64_t n = PlanetTableIndex(jd);
            if (!planetDecoded_ || n != planetIndex_) {
                const std::uint8_t* bytes = Get(planets_, EphemerisTables::kPlanets).TwoRecords(n);
                planetRecords_[0] = DecodePlanetRecord(bytes);
                planetRecords_[1] = DecodePlanetRecord(bytes + kPlanetRecordSize);
                planetIndex_ = n;
            }
            planetJd_ = jd;
            planetDecoded_ = true;
        }
        return InterpolatePlanet(field, jd, planetRecords_[0], planetRecords_[1]);
    }
    Real BlackMoonCorrection(Real jd) override {
        return BlackMoonCorrectionFrom(Get(blackMoon_, EphemerisTables::kBlackMoon), jd);
    }
    Real MinorBodyCorrection(int body, Real jd) override {
        if (!minorIndexed_ || jd != minorJd_) {
            minorIndex_ = MinorTableIndex(jd);
            minorJd_ = jd;
            minorIndexed_ = true;
        }
        return MinorBodyCorrectionFrom(Get(minor_, EphemerisTables::kMinor), body, jd, minorIndex_);
    }
    Real MoonLatitudeCorrection(Real jd) override {
        return MoonLatitudeCorrectionFrom(Get(minor_, EphemerisTables::kMinor), jd);
    }
    Real NodeFineCorrection(Real jd) override {
        return NodeFineCorrectionFrom(Get(lunar_, EphemerisTables::kLunar), jd);
    }
    Real BlackMoonFineCorrection(Real jd) override {
        return BlackMoonFineCorrectionFrom(Get(lunar_, EphemerisTables::kLunar), jd);
    }

private:
    const LoadedTable& Get(const LoadedTable*& held, EphemerisTables::Which which) {
        if (!held) held = &tables_.Table(which);
        return *held;
    }

    EphemerisTables& tables_;
    const LoadedTable* moon_ = nullptr;
    const LoadedTable* planets_ = nullptr;
    const LoadedTable* blackMoon_ = nullptr;
    const LoadedTable* minor_ = nullptr;
    const LoadedTable* lunar_ = nullptr;
    bool planetDecoded_ = false;
    std::int64_t planetIndex_ = 0;  // of the records decoded
    Real planetJd_ = 0;             // the day they were last read for
    bool minorIndexed_ = false;     // the minor bodies' record index of minorJd_
    std::int64_t minorIndex_ = 0;
    Real minorJd_ = 0;
    PlanetRecord planetRecords_[2];
};

BodySettings SettingsFromChart(const ChartState& chart) {
    BodySettings s;
    s.trueNode = chart.NodeType == "VERO";
    s.trueBlackMoon = chart.BlackMoonType == "VERA";
    s.ascendant = chart.HouseCusps[1];
    s.descendant = chart.HouseCusps[7];
    return s;
}

BodyPositions PositionsFromChart(const ChartState& chart) {
    BodyPositions p;
    p.longitudes = chart.PlanetLongitudes;
    p.latitudes = chart.PlanetLatitudes;
    p.rightAscensions = chart.PlanetRightAscensions;
    p.declinations = chart.PlanetDeclinations;
    p.helioLongitudes = chart.HelioLongitudes;
    p.helioLatitudes = chart.HelioLatitudes;
    p.equationOfTime = chart.EquationOfTime;
    return p;
}

void CommitToChart(const BodyPositions& p, ChartState& chart) {
    chart.PlanetLongitudes = p.longitudes;
    chart.PlanetLatitudes = p.latitudes;
    chart.PlanetRightAscensions = p.rightAscensions;
    chart.PlanetDeclinations = p.declinations;
    chart.HelioLongitudes = p.helioLongitudes;
    chart.HelioLatitudes = p.helioLatitudes;
    chart.EquationOfTime = p.equationOfTime;
}

}  // namespace

void ComputeBodies(ChartState& chart, int mode, bool fast, Real jd, EphemerisTables& tables) {
    const BodySettings settings = SettingsFromChart(chart);
    LoadedTableCorrections corrections(tables);
    corrections.Require(mode, jd, settings);
    BodyPositions p = PositionsFromChart(chart);
    RunBodyComputation(mode, fast, jd, settings, &corrections, p);
    CommitToChart(p, chart);
}

void MarkRetrograde(const BodyArray& later, BodyArray& present) {
    for (int i = 1; i <= 19; ++i) {
        if (later[i] < present[i] && std::fabs(later[i] - present[i]) < 5.0L)
            present[i] = -present[i];
    }
}

void SetLoadedChartRetroMarks(const BodyArray& computed, std::array<std::string, 25>& marks) {
    auto mark = [&](int body) { return computed[body] < 0 ? "r" : " "; };
    for (int i = 1; i <= 22; ++i) marks[i] = " ";
    for (int i = kSun; i <= kSaturn; ++i) marks[i] = mark(i);
    marks[8] = marks[9] = mark(kNode);
}

void ComputeBodiesWithRetro(ChartState& chart, int mode, Real jd, EphemerisTables& tables) {
    const BodySettings settings = SettingsFromChart(chart);
    LoadedTableCorrections corrections(tables);
    corrections.Require(mode, jd + 0.001L, settings);
    corrections.Require(mode, jd, settings);
    // The chart's moment, then the longitudes alone a moment later. Every
    // entry the later pass writes the first one writes too, so the result is
    // the same as computing the later moment first.
    BodyPositions p = PositionsFromChart(chart);
    RunBodyComputation(mode, false, jd, settings, &corrections, p);
    BodyPositions later = p;
    RunBodyComputation(mode, true, jd + 0.001L, settings, &corrections, later, true);
    MarkRetrograde(later.longitudes, p.longitudes);
    CommitToChart(p, chart);
}

}  // namespace engine
