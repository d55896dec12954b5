#pragma once
// The full-screen windows over the whole screen.
class QWidget;

namespace shell {

struct ScreenSize {
    int width = 0;
    int height = 0;
};
ScreenSize CurrentScreenSize();

// Top 0, Left 0, the screen's size as client size, the bottom panel (when given)
// along the bottom edge across the full width; the window is left hidden.
void SizeFullScreen(QWidget* window, QWidget* bottomPanel, ScreenSize screen);

}  // namespace shell
