#pragma once
// The window of names that the recall, delete and change dialogs show over an
// archive's index: its position P, the lines it shows, and how scrolling, the
// arrow keys and a search move it.
#include <string>

namespace archive {

struct NameWindowShape {
    int lines;    // lines shown (9, or 8 for the change dialog)
    int before;   // lines above the position's line
    int holdLow;  // a search or the thumb keeps P within holdLow .. N - holdHigh
    int holdHigh;
    int lineUpAbove;    // a line up needs P > lineUpAbove
    int lineDownBelow;  // a line down needs P < N - lineDownBelow
    int page;           // a page move
    int pageUpAbove;    // needs P > pageUpAbove
    int pageDownBelow;  // needs P < N - pageDownBelow
    int smallArchive;   // below this many entries every entry 1..N is shown
};

// The recall and delete dialogs: nine lines, P in the middle.
inline constexpr NameWindowShape kNineLineWindow{9, 4, 5, 5, 5, 4, 9, 14, 13, 10};
// The change dialog: eight lines, P on the fourth.
inline constexpr NameWindowShape kEightLineWindow{8, 3, 4, 4, 4, 3, 8, 13, 12, 9};

class NameWindow {
public:
    explicit NameWindow(const NameWindowShape& shape) : shape_(shape) {}

    // A freshly opened archive of n entries, window at `position`.
    void Reset(int n, int position);
    int Count() const { return n_; }
    int Position() const { return p_; }
    bool Small() const { return n_ < shape_.smallArchive; }

    // Index positions shown: first .. last (empty when last < first).
    int FirstShown() const;
    int LastShown() const;
    // Index position of a list line (0-based), 0 when the line shows nothing.
    int PositionOfLine(int line) const;
    // The line that shows position P (the middle line in a large archive).
    int MiddleLine() const { return shape_.before; }
    int LineCount() const;
    // Lines the window has room for.
    int LinesShown() const { return shape_.lines; }

    // Moves; each returns whether the window moved.
    bool LineUp();
    bool LineDown();
    bool PageUp();
    bool PageDown();
    // A search result or the thumb: held within its limits.
    void HoldAt(int position);
    int ScrollMin() const { return 1; }
    int ScrollMax() const { return n_ > 0 ? n_ : 1; }

private:
    NameWindowShape shape_;
    int n_ = 0;
    int p_ = 0;
};

}  // namespace archive
