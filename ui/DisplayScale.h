#pragma once

// DisplayScale: the interface scale the window is laid out for. The
// application object that decided it implements this; the window asks
// through it and so never reaches up into the application shell.

#include <QObject>

class DisplayScale
{
public:
    virtual ~DisplayScale() = default;

    // 1.0 when the system does not scale the monitor.
    virtual float scale() const = 0;

    // The scale `application` offers; 1 when it offers none (tests, tools).
    static float of(const QObject *application)
    {
        const auto *scaled = dynamic_cast<const DisplayScale *>(application);
        return scaled ? scaled->scale() : 1.0f;
    }
};
