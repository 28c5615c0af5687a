#pragma once

// WarningsPresenter: the two warning displays of the case form. The
// shared-above-sole balloons beside the recommended amounts, and the notice
// (with the yellow field) when the income lies above the schedule; where
// they stand, and that they keep off the field being typed into.

#include <QObject>
#include <QRect>
#include <QTimer>

#include <memory>

class CaseHolder;
class LItemEdit;
class QBalloonTip;
class QWidget;
struct WorksheetLines;

namespace Ui {
class MainWindow;
}

class WarningsPresenter : public QObject
{
    Q_OBJECT

public:
    // How long the notice waits after the income rose above the schedule,
    // and how long it stays unanswered before it accepts itself (ms).
    struct NoticeTimings {
        int delay = 100;
        int lifetime = 20000;
    };

    WarningsPresenter(QWidget *window, Ui::MainWindow *form, CaseHolder *holder);
    ~WarningsPresenter() override;

    // The displays for the figures of a refresh: balloons raised or put
    // away, the income field marked, the notice scheduled once per version.
    void showWarnings(const WorksheetLines &lines);

    void hideBalloons();
    // Brings back the balloons whose warning holds (the window back in view).
    void showWarningBalloons();
    // Balloons and notice go with the window: away while it is minimised or
    // another program is in front.
    void followApplication();
    void windowStateChanged();
    void windowMoved(const QPoint &offset);

    // While it runs, a refresh shows no notice (a guideline switch).
    void suppressNotice();
    QTimer *noticeTimer() { return &m_noticeTimer; }
    NoticeTimings noticeTimings() const { return m_timings; }
    void setNoticeTimings(NoticeTimings timings) { m_timings = timings; }

    QBalloonTip *motherBalloon() const { return m_motherBalloon.get(); }
    QBalloonTip *fatherBalloon() const { return m_fatherBalloon.get(); }

    // Where a notice or balloon may go without covering the field being
    // typed into: that field's area on the screen, empty when the keyboard
    // is elsewhere.
    QRect focusedFieldArea() const;

    static QString sharedAboveSoleStyle();
    static QString aboveScheduleStyle();

private:
    void showWarning(bool warning, LItemEdit *field, QBalloonTip *balloon);
    // Shows `balloon` at the point `anchorX` of its field, or where it
    // neither leaves the window nor covers the field being typed into.
    void placeBalloon(QBalloonTip *balloon, int anchorX = 10);
    QRect balloonBounds(const QPoint &anchor) const;
    void keepBalloonsOffFocus();
    void showExtrapolationNotice();
    void placeNotice(QWidget *notice);

    QWidget *m_window;
    Ui::MainWindow *m_ui;
    CaseHolder *m_case;
    std::unique_ptr<QBalloonTip> m_motherBalloon;
    std::unique_ptr<QBalloonTip> m_fatherBalloon;
    QTimer m_noticeTimer;
    NoticeTimings m_timings;
};
