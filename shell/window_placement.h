#pragma once
// The full-screen windows over the whole screen.
class QWidget;

namespace shell {

struct ScreenSize {
    int width = 0;
    int height = 0;
};
ScreenSize CurrentScreenSize();

// Top 0, Left 0, the screen's size as client size; the window is left hidden.
// (The chart window and the sheet viewer cover the screen themselves, with
// their bottom bars.)
void SizeFullScreen(QWidget* window, ScreenSize screen);

}  // namespace shell
