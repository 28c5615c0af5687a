#include "Platform.h"

#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellscalingapi.h>
#include <shlobj.h>
#include <cstdio>
#else
#include <X11/Xlib.h>
#include <cstdlib>
#endif

namespace Platform {

#ifdef Q_OS_WIN

ScreenSize primaryScreenSize()
{
    ScreenSize size;
    size.width = GetSystemMetrics(SM_CXSCREEN);
    size.height = GetSystemMetrics(SM_CYSCREEN);
    size.valid = size.width > 0 && size.height > 0;
    return size;
}

void setProcessDpiAware()
{
    SetProcessDPIAware();
}

bool isProcessDpiAware()
{
    return IsProcessDPIAware() != FALSE;
}

bool monitorScalePercent(int *percent)
{
    RECT rect{0, 0, 75, 75};
    HMONITOR monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    DEVICE_SCALE_FACTOR factor = DEVICE_SCALE_FACTOR_INVALID;
    if (FAILED(GetScaleFactorForMonitor(monitor, &factor)) || factor == DEVICE_SCALE_FACTOR_INVALID)
        return false;
    *percent = static_cast<int>(factor);
    return true;
}

bool hasDisplay()
{
    return true;
}

void attachParentConsole()
{
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
}

QString sharedDocumentsFolder()
{
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, SHGFP_TYPE_CURRENT, path)))
        return QDir::fromNativeSeparators(QString::fromWCharArray(path));
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

#else

ScreenSize primaryScreenSize()
{
    ScreenSize size;
    const char *display = std::getenv("DISPLAY");
    if (!display || !*display)
        return size;
    // Ask the X server directly: no Qt object may exist yet at this point.
    Display *connection = XOpenDisplay(nullptr);
    if (!connection)
        return size;
    const int screen = DefaultScreen(connection);
    size.width = DisplayWidth(connection, screen);
    size.height = DisplayHeight(connection, screen);
    XCloseDisplay(connection);
    size.valid = size.width > 0 && size.height > 0;
    return size;
}

void setProcessDpiAware()
{
}

bool isProcessDpiAware()
{
    return true;
}

bool monitorScalePercent(int *percent)
{
    *percent = 100;
    return true;
}

bool hasDisplay()
{
    const char *x11 = std::getenv("DISPLAY");
    const char *wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

void attachParentConsole()
{
}

QString sharedDocumentsFolder()
{
    const QString publicShare = QStandardPaths::writableLocation(QStandardPaths::PublicShareLocation);
    if (!publicShare.isEmpty())
        return publicShare;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

#endif

} // namespace Platform
