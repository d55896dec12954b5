#include "engine/chart_computation.h"

#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/houses.h"

namespace engine {

Chart ComputeChart(const Moment& moment, const Place& place, const ChartSettings& settings,
                   MinorBodiesOutOfRange minorBodies, EphemerisTables& tables) {
    Chart chart;
    chart.moment = moment;
    chart.place = place;
    chart.settings = settings;
    const Houses houses = ComputeChartHouses(moment, place, settings.houseSystem.kind);
    chart.cusps = houses.cusps;
    chart.localSiderealTime = houses.localSiderealTime;
    const ComputedBodies computed =
        ComputeBodiesWithRetro(0, moment.julianDay, BodySettingsOf(settings, chart.cusps), tables);
    chart.bodies = computed.bodies;
    chart.equationOfTime = computed.equationOfTime;
    if (minorBodies == MinorBodiesOutOfRange::LeftOut && !InEphemerisRange(moment.julianDay)) {
        for (Body b : {Body::Ceres, Body::Pallas, Body::Juno, Body::Vesta, Body::Chiron}) {
            chart.bodies[b].longitude = 0;
            chart.bodies[b].retrograde = false;
        }
    }
    chart.points.northNode = chart.bodies[Body::Node].longitude;
    chart.points.southNode = Mod360(chart.points.northNode + 180);
    chart.points.ascendant = chart.cusps[1];
    chart.points.midheaven = houses.midheaven;
    return chart;
}

}  // namespace engine
