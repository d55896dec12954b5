#pragma once
// Record-level checks of a recorded metafile, as a strict reader sees it:
// objects are selected only while they exist, never deleted while a device
// context (the current one or a saved one) selects them, and a reader that
// does not restore the world transform at RESTOREDC still draws with the
// right one.
#include <array>
#include <map>
#include <string>
#include <vector>

#include "display/draw/emf_format.h"

namespace emf_check {

using namespace display::emf;

struct Xform {
    float m[6] = {1, 0, 0, 1, 0, 0};
    bool operator==(const Xform& o) const {
        for (int i = 0; i < 6; ++i)
            if (m[i] != o.m[i]) return false;
        return true;
    }
};

// One text per fault, with the record's index.
inline std::vector<std::string> Faults(const std::string& bytes) {
    std::vector<std::string> faults;
    Reader r(bytes.data(), bytes.size());
    enum Slot { kPen, kBrush, kFont };
    std::map<std::uint32_t, Slot> objects;  // living objects and their kind
    struct Dc {
        std::array<std::uint32_t, 3> selected{kStockObject | BLACK_PEN, kStockObject | WHITE_BRUSH,
                                              kStockObject | SYSTEM_FONT};
        Xform xform;
    };
    Dc dc;
    std::vector<Dc> saved;
    Xform naive;  // what a reader that ignores RESTOREDC for the transform holds
    auto slotOfStock = [](std::uint32_t h) {
        const std::uint32_t n = h & ~kStockObject;
        return n <= NULL_BRUSH ? kBrush : n <= NULL_PEN ? kPen : kFont;
    };
    std::size_t at = 0;
    int index = 0;
    auto fault = [&](const std::string& what) { faults.push_back("record " + std::to_string(index) + ": " + what); };
    while (r.Has(at, 8)) {
        const std::uint32_t type = r.U32(at), size = r.U32(at + 4);
        if (size < 8 || !r.Has(at, size)) {
            fault("bad size");
            break;
        }
        switch (type) {
            case EMR_EXTCREATEPEN:
            case EMR_CREATEPEN:
            case EMR_CREATEBRUSHINDIRECT:
            case EMR_EXTCREATEFONTINDIRECTW: {
                const std::uint32_t h = r.U32(at + 8);
                if (objects.count(h)) fault("object " + std::to_string(h) + " created over a living one");
                objects[h] = type == EMR_CREATEBRUSHINDIRECT      ? kBrush
                             : type == EMR_EXTCREATEFONTINDIRECTW ? kFont
                                                                  : kPen;
                break;
            }
            case EMR_SELECTOBJECT: {
                const std::uint32_t h = r.U32(at + 8);
                if (h & kStockObject) {
                    dc.selected[slotOfStock(h)] = h;
                } else if (auto it = objects.find(h); it == objects.end()) {
                    fault("selects object " + std::to_string(h) + " that does not exist");
                } else {
                    dc.selected[it->second] = h;
                }
                break;
            }
            case EMR_DELETEOBJECT: {
                const std::uint32_t h = r.U32(at + 8);
                if (!objects.count(h)) fault("deletes object " + std::to_string(h) + " that does not exist");
                for (std::uint32_t s : dc.selected)
                    if (s == h) fault("deletes object " + std::to_string(h) + " while it is selected");
                for (const Dc& d : saved)
                    for (std::uint32_t s : d.selected)
                        if (s == h) fault("deletes object " + std::to_string(h) + " while a saved context selects it");
                objects.erase(h);
                break;
            }
            case EMR_SAVEDC: saved.push_back(dc); break;
            case EMR_RESTOREDC: {
                const std::int32_t rel = r.I32(at + 8);
                const int pops = rel < 0 ? -rel : static_cast<int>(saved.size()) - (rel - 1);
                for (int i = 0; i < pops && !saved.empty(); ++i) {
                    dc = saved.back();
                    saved.pop_back();
                }
                for (std::uint32_t s : dc.selected)
                    if (!(s & kStockObject) && !objects.count(s))
                        fault("restores a selection of object " + std::to_string(s) + " that was deleted");
                break;
            }
            case EMR_SETWORLDTRANSFORM:
                for (int i = 0; i < 6; ++i) dc.xform.m[i] = r.F32(at + 8 + 4 * i);
                naive = dc.xform;
                break;
            case EMR_MODIFYWORLDTRANSFORM:
                if (r.U32(at + 32) == 1) {  // identity
                    dc.xform = Xform{};
                    naive = dc.xform;
                } else {
                    fault("unchecked transform change");
                }
                break;
            case EMR_LINETO:
            case EMR_ELLIPSE:
            case EMR_RECTANGLE:
            case EMR_ARC:
            case EMR_POLYGON16:
            case EMR_POLYLINE16:
            case EMR_POLYGON:
            case EMR_POLYLINE:
            case EMR_EXTTEXTOUTW:
            case EMR_STROKEPATH:
            case EMR_FILLPATH:
            case EMR_STROKEANDFILLPATH:
            case EMR_MOVETOEX:
            case EMR_POLYLINETO16:
            case EMR_POLYBEZIERTO16:
            case EMR_POLYLINETO:
            case EMR_POLYBEZIERTO:
                if (!(naive == dc.xform)) fault("drawn under a world transform a reader may not have restored");
                break;
            default: break;
        }
        if (type == EMR_EOF) break;
        at += size;
        ++index;
    }
    return faults;
}

}  // namespace emf_check
