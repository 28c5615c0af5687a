#pragma once

#include "Desktop.h"

#include <QList>

namespace OrvaTest {

// Records what the program hands to the desktop while it lives; nothing is
// opened or started. `result` is what each call reports back.
class DesktopRecorder
{
public:
    explicit DesktopRecorder(bool result = true)
    {
        Platform::setDesktopRecorder([this, result](const Platform::DesktopCall &call) {
            calls << call;
            return result;
        });
    }
    ~DesktopRecorder() { Platform::setDesktopRecorder({}); }
    DesktopRecorder(const DesktopRecorder &) = delete;
    DesktopRecorder &operator=(const DesktopRecorder &) = delete;

    QStringList targets() const
    {
        QStringList list;
        for (const Platform::DesktopCall &call : calls)
            list << call.target;
        return list;
    }

    QList<Platform::DesktopCall> calls;
};

} // namespace OrvaTest
