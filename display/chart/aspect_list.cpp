#include "display/chart/aspect_list.h"

#include <cmath>

#include "display/chart/aspects_and_orbits.h"
#include "display/wheel/wheel_points.h"
#include "engine/position_text.h"

namespace display {

namespace {

const char* const kPointNames[12] = {
    "",      "il Sole", "la Luna",      "Mercurio",    "Venere",       "Marte",
    "Giove", "Saturno", "il Nodo Nord", "il Nodo Sud", "l'Ascendente", "il Mediocielo"};
const char* const kKindPhrases[6] = {
    "", " in Congiunzione con ", " in Sestile con ", " in Quadratura con ", " in Trigono con ", " in Opposizione con "};

struct MajorAspect {
    int angle, orbSlot, kind;
};
const MajorAspect kListOrder[4] = {{180, 4, 5}, {120, 3, 4}, {90, 2, 3}, {60, 1, 2}};

}  // namespace

std::vector<std::string> EvaluateAspectList(const engine::Chart& chart, const engine::OrbRecord& orbs) {
    std::vector<std::string> lines{"PLANETAIRE ASPECTEN"};
    const WheelPointArray longitudes = WheelPointLongitudes(chart);
    for (int i = 1; i <= 11; ++i)
        for (int j = i + 1; j <= 11; ++j) {
            const Real d = FoldedDistance(longitudes[i], longitudes[j]);
            int kind = 0;
            Real deviation = 0;
            for (const MajorAspect& a : kListOrder) {
                const Real o = orbs.aspectOrbs[a.orbSlot];
                if (a.angle - o < d && d < a.angle + o) {
                    kind = a.kind;
                    deviation = std::fabs(d - a.angle);
                    break;
                }
            }
            if (kind == 0 && d < orbs.aspectOrbs[0]) {
                kind = 1;
                deviation = std::fabs(d);
            }
            if (kind == 0) continue;
            if (kind == 5 && deviation < 0.00001L) continue;
            std::string text;
            engine::FloatToTextDec(4, text, deviation);
            lines.push_back(text + "   " + kPointNames[i] + kKindPhrases[kind] + kPointNames[j]);
        }
    lines.push_back("   ");
    lines.push_back("Het aspect is nauwkeuriger, hoe");
    lines.push_back("kleiner het getal dat eraan voorafgaat");
    return lines;
}

}  // namespace display
