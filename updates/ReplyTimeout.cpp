#include "ReplyTimeout.h"

#include <QNetworkReply>
#include <QTimerEvent>

namespace Updates {

ReplyTimeout::ReplyTimeout(QNetworkReply *reply, int milliseconds)
    : QObject(reply)
{
    if (reply && reply->isRunning())
        m_timer.start(milliseconds, this);
}

ReplyTimeout *ReplyTimeout::set(QNetworkReply *reply, int milliseconds)
{
    return new ReplyTimeout(reply, milliseconds);
}

void ReplyTimeout::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId())
        return;
    m_timer.stop();
    auto *reply = static_cast<QNetworkReply *>(parent());
    if (reply->isRunning())
        reply->abort();
}

} // namespace Updates
