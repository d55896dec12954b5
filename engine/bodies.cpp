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
// be put back leaves nothing computed.
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

// The theories' arrays start at zero: a body a mode does not compute stays there.
ComputedBodies FromTheories(const BodyPositions& p) {
    ComputedBodies c;
    for (Body b : kBodies) {
        const TheoryPoint n = TheoryPointOf(b);
        BodyPosition& o = c.bodies[b];
        o.longitude = p.longitudes[n];
        o.latitude = p.latitudes[n];
        o.rightAscension = p.rightAscensions[n];
        o.declination = p.declinations[n];
        o.helioLongitude = p.helioLongitudes[n];
        o.helioLatitude = p.helioLatitudes[n];
    }
    c.equationOfTime = p.equationOfTime;
    return c;
}

}  // namespace

TheoryPoint TheoryPointOf(Body body) {
    // The theories put the Ascendant's and the Descendant's entries between
    // the black moon and Ceres.
    const int index = static_cast<int>(body);
    return static_cast<TheoryPoint>(index < static_cast<int>(Body::Ceres) ? index : index + 2);
}

int BodyNumberOf(Body body) { return TheoryNumber(TheoryPointOf(body)); }

Body BodyOfNumber(int number) { return static_cast<Body>(number <= kBlackMoon ? number - 1 : number - 3); }

BodySettings BodySettingsOf(const ChartSettings& settings, const HouseCusps& cusps) {
    BodySettings s;
    s.trueNode = settings.node.kind == NodeKind::True;
    s.trueBlackMoon = settings.blackMoon.kind == BlackMoonKind::True;
    s.ascendant = cusps[1];
    s.descendant = cusps[7];
    return s;
}

ComputedBodies ComputeBodies(int mode, bool fast, Real jd, const BodySettings& settings, EphemerisTables& tables) {
    LoadedTableCorrections corrections(tables);
    corrections.Require(mode, jd, settings);
    BodyPositions p;
    RunBodyComputation({mode, fast}, jd, settings, &corrections, p);
    return FromTheories(p);
}

bool MovesBackwards(Real later, Real present) { return later < present && std::fabs(later - present) < 5.0L; }

ComputedBodies ComputeBodiesWithRetro(int mode, Real jd, const BodySettings& settings, EphemerisTables& tables) {
    LoadedTableCorrections corrections(tables);
    corrections.Require(mode, jd + 0.001L, settings);
    corrections.Require(mode, jd, settings);
    // The chart's moment, then the longitudes alone a moment later. Every
    // entry the later pass writes the first one writes too, so the result is
    // the same as computing the later moment first.
    BodyPositions p;
    RunBodyComputation({mode}, jd, settings, &corrections, p);
    BodyPositions later = p;
    RunBodyComputation({.mode = mode, .fast = true, .longitudesOnly = true}, jd + 0.001L, settings, &corrections,
                       later);
    ComputedBodies c = FromTheories(p);
    for (Body b : kBodies) {
        const TheoryPoint n = TheoryPointOf(b);
        c.bodies[b].retrograde = MovesBackwards(later.longitudes[n], p.longitudes[n]);
    }
    return c;
}

}  // namespace engine
