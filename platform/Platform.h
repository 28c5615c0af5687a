#pragma once

#include <QList>
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

// Size of the primary monitor in physical pixels: GetSystemMetrics on
// Windows; on Linux (when DISPLAY is set) XRandR's primary monitor, else its
// first, else the whole X screen, which may span several monitors.
ScreenSize primaryScreenSize();

// One monitor of the desktop, in physical pixels.
struct Monitor {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool primary = false;
};

// The monitor a window opens on: the primary one, else the first; the whole
// screen when no monitor is known.
ScreenSize primaryMonitorSize(const QList<Monitor> &monitors, const ScreenSize &wholeScreen);

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

// Before the first use of the settings store: a settings file of the
// program that is no regular file (a pipe would make every read wait
// forever, a device never end) is not read, and its part of the store has
// the defaults; nothing is written there either. The log line that says
// so, empty when every file is fine.
QString guardSettingsFiles(const QString &organization, const QString &application);

} // namespace Platform
