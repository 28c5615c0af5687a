#include "Desktop.h"

#include <QDesktopServices>
#include <QProcess>

namespace Platform {

namespace {
std::function<bool(const DesktopCall &)> &recorder()
{
    static std::function<bool(const DesktopCall &)> current;
    return current;
}
} // namespace

bool openUrl(const QUrl &url)
{
    if (recorder())
        return recorder()({DesktopCall::OpenUrl, url.toString(), {}});
    return QDesktopServices::openUrl(url);
}

bool startDetached(const QString &program, const QStringList &arguments)
{
    if (recorder())
        return recorder()({DesktopCall::StartDetached, program, arguments});
    return QProcess::startDetached(program, arguments);
}

void setDesktopRecorder(std::function<bool(const DesktopCall &)> function)
{
    recorder() = std::move(function);
}

} // namespace Platform
