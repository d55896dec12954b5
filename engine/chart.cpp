#include "engine/chart.h"

#include "platform/runtime/number_text.h"

namespace engine {

int ClockHour(const Moment& moment) { return static_cast<int>(rt::Round(moment.hour)); }
int ClockMinute(const Moment& moment) { return static_cast<int>(rt::Round(moment.minute)); }

Real PointLongitude(const Chart& chart, ChartPoint point) {
    switch (point) {
        case ChartPoint::NorthNode: return chart.points.northNode;
        case ChartPoint::SouthNode: return chart.points.southNode;
        case ChartPoint::Ascendant: return chart.points.ascendant;
        case ChartPoint::Midheaven: return chart.points.midheaven;
        default: return chart.bodies[static_cast<Body>(point)].longitude;
    }
}

bool PointRetrograde(const Chart& chart, ChartPoint point) {
    switch (point) {
        case ChartPoint::NorthNode:
        case ChartPoint::SouthNode: return chart.bodies[Body::Node].retrograde;
        case ChartPoint::Ascendant:
        case ChartPoint::Midheaven: return false;
        default: return chart.bodies[static_cast<Body>(point)].retrograde;
    }
}

PointLongitudes PointLongitudesOf(const Chart& chart) {
    PointLongitudes l{};
    for (int i = 0; i < kChartPointCount; ++i)
        l[static_cast<std::size_t>(i)] = PointLongitude(chart, static_cast<ChartPoint>(i));
    return l;
}

PointLongitudes PointLatitudesOf(const Chart& chart) {
    PointLongitudes b{};
    for (int i = 0; i < kClassicalPlanetCount; ++i)
        b[static_cast<std::size_t>(i)] = chart.bodies[static_cast<Body>(i)].latitude;
    return b;
}

}  // namespace engine
