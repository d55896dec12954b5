#pragma once
// Reads Enhanced Metafiles: the header, a check of the record chain, and playback
// onto any Surface stretched into a rectangle. Playback follows mapping modes,
// window and viewport origins and extents, world transforms, paths, Bezier and
// polyline records; records it does not know are skipped.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "display/draw/surface.h"

namespace display {

struct EmfHeader {
    Rect bounds;  // device units of the reference device, inclusive
    Rect frame;   // 0.01 millimetre units, inclusive
    std::uint32_t bytes = 0;
    std::uint32_t records = 0;
    std::uint16_t handles = 0;
    int deviceWidthPx = 0, deviceHeightPx = 0;
    int deviceWidthMm = 0, deviceHeightMm = 0;
};

struct EmfRecordInfo {
    std::uint32_t type = 0;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

// The header, or nullopt when the bytes do not begin with one.
std::optional<EmfHeader> ReadEmfHeader(const std::string& bytes);

// Checks the whole file: header signature, the size fields against the file's
// size, every record's size (a multiple of 4 within the file), the record count,
// and an end record last. Returns an empty text when valid, else what is wrong.
std::string CheckEmf(const std::string& bytes);

// The records in file order (stops at a damaged size).
std::vector<EmfRecordInfo> ListEmfRecords(const std::string& bytes);

// Plays the metafile onto the surface, its picture frame stretched to dest.
// The surface's attributes are saved before and restored after. Returns false
// (drawing nothing) when the bytes are not a metafile.
bool PlayEmf(const std::string& bytes, Surface& target, const Rect& dest);

}  // namespace display
