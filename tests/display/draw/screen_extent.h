#pragma once
// The drawing calls of a recording that reach beyond a screen: a stroke, a
// shape or a picture with a point off the screen (the right and bottom edges
// of a rectangle lie just outside it, so they may touch the screen's edge).
// Texts are left out: a recording gives only where a text begins.
#include <regex>
#include <string>
#include <vector>

#include "display/draw/recording_surface.h"

namespace screen_extent {

inline std::vector<std::string> CallsOffScreen(const display::RecordingSurface& drawn, int width, int height) {
    static const std::regex point(R"((-?\d+),(-?\d+))");
    std::vector<std::string> off;
    for (const std::string& call : drawn.log) {
        const std::string word = call.substr(0, call.find(' '));
        if (word != "line" && word != "move" && word != "arc" && word != "ellipse" && word != "rectangle" &&
            word != "polygon" && word != "polyline" && word != "metafile")
            continue;
        for (std::sregex_iterator it(call.begin(), call.end(), point), end; it != end; ++it) {
            const int x = std::stoi((*it)[1]), y = std::stoi((*it)[2]);
            if (x < 0 || y < 0 || x > width || y > height) {
                off.push_back(call);
                break;
            }
        }
    }
    return off;
}

}  // namespace screen_extent
