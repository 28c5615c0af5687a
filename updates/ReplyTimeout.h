#pragma once

#include <QBasicTimer>
#include <QObject>

class QNetworkReply;

namespace Updates {

// Watchdog owned by a network reply: aborts the reply when it is still
// running after `milliseconds`, so that a silent server cannot block a check.
class ReplyTimeout : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultMilliseconds = 2000;

    ReplyTimeout(QNetworkReply *reply, int milliseconds = DefaultMilliseconds);

    // Attaches a watchdog to `reply` (which owns it).
    static ReplyTimeout *set(QNetworkReply *reply, int milliseconds = DefaultMilliseconds);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    QBasicTimer m_timer;
};

} // namespace Updates
