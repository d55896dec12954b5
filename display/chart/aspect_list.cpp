#include "display/chart/aspect_list.h"

#include <array>
#include <cmath>
#include <optional>

#include "display/chart/aspects_and_orbits.h"
#include "display/wheel/wheel_points.h"
#include "engine/position_text.h"

namespace display {

namespace {

const ChartPointTable<const char*> kPointNames = {{"il Sole", "la Luna", "Mercurio", "Venere", "Marte", "Giove",
                                                   "Saturno", "il Nodo Nord", "il Nodo Sud", "l'Ascendente",
                                                   "il Mediocielo"}};

// The major aspects, the conjunction first.
enum class AspectKind { Conjunction, Sextile, Square, Trine, Opposition };
constexpr std::array<const char*, 5> kKindPhrases = {" in Congiunzione con ", " in Sestile con ", " in Quadratura con ",
                                                     " in Trigono con ", " in Opposizione con "};

struct MajorAspect {
    int angle, orbSlot;
    AspectKind kind;
};
const MajorAspect kListOrder[4] = {{180, 4, AspectKind::Opposition},
                                   {120, 3, AspectKind::Trine},
                                   {90, 2, AspectKind::Square},
                                   {60, 1, AspectKind::Sextile}};

}  // namespace

std::vector<std::string> EvaluateAspectList(const engine::Chart& chart, const engine::OrbRecord& orbs) {
    std::vector<std::string> lines{"PLANETAIRE ASPECTEN"};
    const WheelPointArray longitudes = WheelPointLongitudes(chart);
    for (ChartPoint first : kChartPoints)
        for (ChartPoint second : kChartPoints) {
            if (second <= first) continue;
            const Real d = FoldedDistance(longitudes[first], longitudes[second]);
            std::optional<AspectKind> kind;
            Real deviation = 0;
            for (const MajorAspect& a : kListOrder) {
                const Real o = orbs.aspectOrbs[a.orbSlot];
                if (a.angle - o < d && d < a.angle + o) {
                    kind = a.kind;
                    deviation = std::fabs(d - a.angle);
                    break;
                }
            }
            if (!kind && d < orbs.aspectOrbs[0]) {
                kind = AspectKind::Conjunction;
                deviation = std::fabs(d);
            }
            if (!kind) continue;
            if (*kind == AspectKind::Opposition && deviation < 0.00001L) continue;
            std::string text;
            engine::FloatToTextDec(4, text, deviation);
            lines.push_back(text + "   " + kPointNames[first] + kKindPhrases[static_cast<std::size_t>(*kind)] +
                            kPointNames[second]);
        }
    lines.push_back("   ");
    lines.push_back("Het aspect is nauwkeuriger, hoe");
    lines.push_back("kleiner het getal dat eraan voorafgaat");
    return lines;
}

}  // namespace display
