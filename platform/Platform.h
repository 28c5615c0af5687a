#pragma once

#include <QString>

// The thin layer between the program and the operating system. Windows is the
// target platform; the Linux implementation is the one that runs and is tested
// here. Nothing in this header needs a Qt application object, so the display
// queries can run in main() before the application exists.
namespace Platform {

struct ScreenSize {
    bool valid = false; // false: no screen information (no display, query failed)
    int width = 0;      // pixels
    int height = 0;     // pixels
};

// Size of the primary screen in physical pixels (GetSystemMetrics on Windows,
// the default X11 screen on Linux when DISPLAY is set).
ScreenSize primaryScreenSize();

// Declares the process DPI-aware (Windows); nothing to do elsewhere.
void setProcessDpiAware();

// The system's answer whether the process is DPI-aware. Qt 6 processes on X11
// always work in device pixels, so the answer there is true.
bool isProcessDpiAware();

// System scale factor, in percent, of the monitor nearest to the rectangle
// (0,0)-(75,75). Returns false when the system cannot tell; the caller then
// keeps a scale of 1.0. X11 has no per-monitor scale, so Linux reports 100.
bool monitorScalePercent(int *percent);

// True when a window can be shown: always on Windows; on Linux when an X11
// or Wayland display is set.
bool hasDisplay();

// Lets a program built as a windowed application write to the console it
// was started from (Windows); standard output already goes there elsewhere.
void attachParentConsole();

// The folder shared by all users for documents ("Public Documents" on
// Windows). On Linux the XDG public share folder (xdg-user-dir PUBLICSHARE,
// usually ~/Public), or the documents folder when there is none.
QString sharedDocumentsFolder();

} // namespace Platform
