#pragma once
// The drawing calls of a recording that reach beyond a screen: a stroke, a
// shape or a picture with a point off the screen (the right and bottom edges
// of a rectangle lie just outside it, so they may touch the screen's edge).
// Texts are left out: a recording gives only where a text begins.
#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "display/draw/recording_surface.h"

namespace screen_extent {

// The points "x,y" of a recorded call, in order: each pair of whole numbers
// (with their signs) joined by a comma, read from the left, none overlapping.
inline std::vector<std::pair<int, int>> PointsOf(const std::string& call) {
    const auto digit = [&call](std::size_t i) {
        return i < call.size() && std::isdigit(static_cast<unsigned char>(call[i]));
    };
    // The end of a whole number starting at i, or i when none starts there.
    const auto numberEnd = [&](std::size_t i) {
        std::size_t j = i < call.size() && call[i] == '-' ? i + 1 : i;
        if (!digit(j)) return i;
        while (digit(j)) ++j;
        return j;
    };
    std::vector<std::pair<int, int>> points;
    for (std::size_t i = 0; i < call.size();) {
        const std::size_t xEnd = numberEnd(i);
        if (xEnd == i || xEnd >= call.size() || call[xEnd] != ',') {
            i = xEnd == i ? i + 1 : xEnd;
            continue;
        }
        const std::size_t yEnd = numberEnd(xEnd + 1);
        if (yEnd == xEnd + 1) {
            i = xEnd + 1;
            continue;
        }
        points.emplace_back(std::stoi(call.substr(i, xEnd - i)), std::stoi(call.substr(xEnd + 1, yEnd - xEnd - 1)));
        i = yEnd;
    }
    return points;
}

inline std::vector<std::string> CallsOffScreen(const display::RecordingSurface& drawn, int width, int height) {
    std::vector<std::string> off;
    for (const std::string& call : drawn.log) {
        const std::string word = call.substr(0, call.find(' '));
        if (word != "line" && word != "move" && word != "arc" && word != "ellipse" && word != "rectangle" &&
            word != "polygon" && word != "polyline" && word != "metafile")
            continue;
        for (const auto& [x, y] : PointsOf(call)) {
            if (x < 0 || y < 0 || x > width || y > height) {
                off.push_back(call);
                break;
            }
        }
    }
    return off;
}

}  // namespace screen_extent
