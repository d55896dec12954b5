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

// Follows the records one by one, as a strict reader would, and notes each
// fault with the record's index.
class FaultFinder {
public:
    explicit FaultFinder(const std::string& bytes) : r_(bytes.data(), bytes.size()) {}

    std::vector<std::string> Run() {
        std::size_t at = 0;
        while (r_.Has(at, 8)) {
            const std::uint32_t type = r_.U32(at), size = r_.U32(at + 4);
            if (size < 8 || !r_.Has(at, size)) {
                Fault("bad size");
                break;
            }
            Record(type, at);
            if (type == EMR_EOF) break;
            at += size;
            ++index_;
        }
        return faults_;
    }

private:
    enum Slot { kPen, kBrush, kFont };
    struct Dc {
        std::array<std::uint32_t, 3> selected{kStockObject | BLACK_PEN, kStockObject | WHITE_BRUSH,
                                              kStockObject | SYSTEM_FONT};
        Xform xform;
    };

    static Slot SlotOfStock(std::uint32_t h) {
        const std::uint32_t n = h & ~kStockObject;
        return n <= NULL_BRUSH ? kBrush : n <= NULL_PEN ? kPen : kFont;
    }

    void Fault(const std::string& what) { faults_.push_back("record " + std::to_string(index_) + ": " + what); }

    void Record(std::uint32_t type, std::size_t at) {
        switch (type) {
            case EMR_EXTCREATEPEN:
            case EMR_CREATEPEN:
            case EMR_CREATEBRUSHINDIRECT:
            case EMR_EXTCREATEFONTINDIRECTW: Create(type, r_.U32(at + 8)); break;
            case EMR_SELECTOBJECT: Select(r_.U32(at + 8)); break;
            case EMR_DELETEOBJECT: Delete(r_.U32(at + 8)); break;
            case EMR_SAVEDC: saved_.push_back(dc_); break;
            case EMR_RESTOREDC: Restore(r_.I32(at + 8)); break;
            case EMR_SETWORLDTRANSFORM:
                for (int i = 0; i < 6; ++i) dc_.xform.m[i] = r_.F32(at + 8 + 4 * i);
                naive_ = dc_.xform;
                break;
            case EMR_MODIFYWORLDTRANSFORM:
                if (r_.U32(at + 32) == 1) {  // identity
                    dc_.xform = Xform{};
                    naive_ = dc_.xform;
                } else {
                    Fault("unchecked transform change");
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
                if (!(naive_ == dc_.xform)) Fault("drawn under a world transform a reader may not have restored");
                break;
            default: break;
        }
    }

    void Create(std::uint32_t type, std::uint32_t h) {
        if (objects_.count(h)) Fault("object " + std::to_string(h) + " created over a living one");
        objects_[h] = type == EMR_CREATEBRUSHINDIRECT ? kBrush : type == EMR_EXTCREATEFONTINDIRECTW ? kFont : kPen;
    }

    void Select(std::uint32_t h) {
        if (h & kStockObject) {
            dc_.selected[SlotOfStock(h)] = h;
        } else if (auto it = objects_.find(h); it == objects_.end()) {
            Fault("selects object " + std::to_string(h) + " that does not exist");
        } else {
            dc_.selected[it->second] = h;
        }
    }

    void Delete(std::uint32_t h) {
        if (!objects_.count(h)) Fault("deletes object " + std::to_string(h) + " that does not exist");
        for (std::uint32_t s : dc_.selected)
            if (s == h) Fault("deletes object " + std::to_string(h) + " while it is selected");
        for (const Dc& d : saved_)
            for (std::uint32_t s : d.selected)
                if (s == h) Fault("deletes object " + std::to_string(h) + " while a saved context selects it");
        objects_.erase(h);
    }

    void Restore(std::int32_t rel) {
        const int pops = rel < 0 ? -rel : static_cast<int>(saved_.size()) - (rel - 1);
        for (int i = 0; i < pops && !saved_.empty(); ++i) {
            dc_ = saved_.back();
            saved_.pop_back();
        }
        for (std::uint32_t s : dc_.selected)
            if (!(s & kStockObject) && !objects_.count(s))
                Fault("restores a selection of object " + std::to_string(s) + " that was deleted");
    }

    Reader r_;
    std::vector<std::string> faults_;
    std::map<std::uint32_t, Slot> objects_;  // living objects and their kind
    Dc dc_;
    std::vector<Dc> saved_;
    Xform naive_;  // what a reader that ignores RESTOREDC for the transform holds
    int index_ = 0;
};

// One text per fault, with the record's index.
inline std::vector<std::string> Faults(const std::string& bytes) { return FaultFinder(bytes).Run(); }

}  // namespace emf_check
