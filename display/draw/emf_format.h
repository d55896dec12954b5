#pragma once
// Record types and little-endian byte helpers of the Enhanced Metafile format.
#include <cstdint>
#include <cstring>
#include <string>

namespace display::emf {

enum RecordType : std::uint32_t {
    EMR_HEADER = 1,
    EMR_POLYBEZIER = 2,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYBEZIERTO = 5,
    EMR_POLYLINETO = 6,
    EMR_POLYPOLYLINE = 7,
    EMR_POLYPOLYGON = 8,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_EOF = 14,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_EXCLUDECLIPRECT = 29,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SCALEVIEWPORTEXTEX = 31,
    EMR_SCALEWINDOWEXTEX = 32,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SETWORLDTRANSFORM = 35,
    EMR_MODIFYWORLDTRANSFORM = 36,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ROUNDRECT = 44,
    EMR_ARC = 45,
    EMR_LINETO = 54,
    EMR_ARCTO = 55,
    EMR_SETARCDIRECTION = 57,
    EMR_BEGINPATH = 59,
    EMR_ENDPATH = 60,
    EMR_CLOSEFIGURE = 61,
    EMR_FILLPATH = 62,
    EMR_STROKEANDFILLPATH = 63,
    EMR_STROKEPATH = 64,
    EMR_ABORTPATH = 68,
    EMR_GDICOMMENT = 70,
    EMR_EXTSELECTCLIPRGN = 75,
    EMR_BITBLT = 76,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTA = 83,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYBEZIER16 = 85,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_POLYBEZIERTO16 = 88,
    EMR_POLYLINETO16 = 89,
    EMR_POLYPOLYLINE16 = 90,
    EMR_POLYPOLYGON16 = 91,
    EMR_EXTCREATEPEN = 95,
};

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kStockObject = 0x80000000u;
enum StockObject : std::uint32_t {
    WHITE_BRUSH = 0,
    LTGRAY_BRUSH = 1,
    GRAY_BRUSH = 2,
    DKGRAY_BRUSH = 3,
    BLACK_BRUSH = 4,
    NULL_BRUSH = 5,
    WHITE_PEN = 6,
    BLACK_PEN = 7,
    NULL_PEN = 8,
    SYSTEM_FONT = 13,
    DEVICE_DEFAULT_FONT = 14,
    DEFAULT_GUI_FONT = 17,
};
constexpr std::uint32_t PS_GEOMETRIC = 0x00010000;
constexpr std::uint32_t PS_STYLE_MASK = 0x0000000F;
constexpr std::uint32_t ETO_OPAQUE = 0x2;
constexpr std::uint32_t ETO_CLIPPED = 0x4;
constexpr std::uint32_t RGN_COPY = 5;

class Writer {
public:
    std::string bytes;
    void U32(std::uint32_t v) { Put(&v, 4); }
    void I32(std::int32_t v) { Put(&v, 4); }
    void U16(std::uint16_t v) { Put(&v, 2); }
    void I16(std::int16_t v) { Put(&v, 2); }
    void U8(std::uint8_t v) { Put(&v, 1); }
    void F32(float v) { Put(&v, 4); }
    void Zeros(std::size_t n) { bytes.append(n, '\0'); }
    void Pad4() {
        while (bytes.size() % 4) bytes.push_back('\0');
    }
    std::size_t Size() const { return bytes.size(); }
    void PatchU32(std::size_t at, std::uint32_t v) { std::memcpy(bytes.data() + at, &v, 4); }

private:
    void Put(const void* p, std::size_t n) { bytes.append(static_cast<const char*>(p), n); }
};

// Reads little-endian values from a byte range; reads past the end give 0.
class Reader {
public:
    Reader(const char* data, std::size_t size) : data_(data), size_(size) {}
    bool Has(std::size_t at, std::size_t n) const { return at <= size_ && n <= size_ - at; }
    std::uint32_t U32(std::size_t at) const { return Get<std::uint32_t>(at); }
    std::int32_t I32(std::size_t at) const { return Get<std::int32_t>(at); }
    std::uint16_t U16(std::size_t at) const { return Get<std::uint16_t>(at); }
    std::int16_t I16(std::size_t at) const { return Get<std::int16_t>(at); }
    std::uint8_t U8(std::size_t at) const { return Get<std::uint8_t>(at); }
    float F32(std::size_t at) const { return Get<float>(at); }
    std::size_t Size() const { return size_; }
    const char* Data() const { return data_; }

private:
    template <typename T>
    T Get(std::size_t at) const {
        T v{};
        if (Has(at, sizeof(T))) std::memcpy(&v, data_ + at, sizeof(T));
        return v;
    }
    const char* data_;
    std::size_t size_;
};

}  // namespace display::emf
