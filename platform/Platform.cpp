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
#include <X11/extensions/Xrandr.h>
#include <cstdlib>
#endif

namespace Platform {

ScreenSize primaryMonitorSize(const QList<Monitor> &monitors, const ScreenSize &wholeScreen)
{
    const Monitor *chosen = nullptr;
    for (const Monitor &monitor : monitors) {
        if (monitor.width <= 0 || monitor.height <= 0)
            continue;
        if (monitor.primary) {
            chosen = &monitor;
            break;
        }
        if (!chosen)
            chosen = &monitor;
    }
    if (!chosen)
        return wholeScreen;
    ScreenSize size;
    size.valid = true;
    size.width = chosen->width;
    size.height = chosen->height;
    return size;
}

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

namespace {

// The monitors XRandR knows: those of RandR 1.5, else the connected outputs
// of RandR 1.2 with the primary one marked. Empty without RandR.
QList<Monitor> randrMonitors(Display *connection)
{
    QList<Monitor> monitors;
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(connection, &eventBase, &errorBase) || !XRRQueryVersion(connection, &major, &minor))
        return monitors;
    const Window root = DefaultRootWindow(connection);
    if (major > 1 || (major == 1 && minor >= 5)) {
        int count = 0;
        if (XRRMonitorInfo *list = XRRGetMonitors(connection, root, True, &count)) {
            for (int i = 0; i < count; ++i)
                monitors.append({list[i].x, list[i].y, list[i].width, list[i].height, list[i].primary != 0});
            XRRFreeMonitors(list);
        }
        if (!monitors.isEmpty())
            return monitors;
    }
    if (major < 1 || (major == 1 && minor < 2))
        return monitors;
    XRRScreenResources *resources = XRRGetScreenResourcesCurrent(connection, root);
    if (!resources)
        return monitors;
    const RROutput primary = XRRGetOutputPrimary(connection, root);
    for (int i = 0; i < resources->noutput; ++i) {
        XRROutputInfo *output = XRRGetOutputInfo(connection, resources, resources->outputs[i]);
        if (!output)
            continue;
        if (output->connection == RR_Connected && output->crtc) {
            if (XRRCrtcInfo *crtc = XRRGetCrtcInfo(connection, resources, output->crtc)) {
                monitors.append({crtc->x, crtc->y, static_cast<int>(crtc->width), static_cast<int>(crtc->height),
                                 resources->outputs[i] == primary});
                XRRFreeCrtcInfo(crtc);
            }
        }
        XRRFreeOutputInfo(output);
    }
    XRRFreeScreenResources(resources);
    return monitors;
}

} // namespace

ScreenSize primaryScreenSize()
{
    ScreenSize whole;
    const char *display = std::getenv("DISPLAY");
    if (!display || !*display)
        return whole;
    // Ask the X server directly: no Qt object may exist yet at this point.
    Display *connection = XOpenDisplay(nullptr);
    if (!connection)
        return whole;
    const int screen = DefaultScreen(connection);
    whole.width = DisplayWidth(connection, screen);
    whole.height = DisplayHeight(connection, screen);
    whole.valid = whole.width > 0 && whole.height > 0;
    // The X screen spans every monitor (two stacked make one twice as tall):
    // the scale is decided for the monitor the window opens on.
    const QList<Monitor> monitors = randrMonitors(connection);
    XCloseDisplay(connection);
    return primaryMonitorSize(monitors, whole);
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
