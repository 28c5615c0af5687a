#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

class QIcon;
class QPushButton;

// Warning balloon beside a field: a tool-tip window with an arrow pointing at
// its anchor, a close button and a "Switch to Sole Guidelines" button. It
// stays until it is hidden.
class QBalloonTip : public QWidget
{
    Q_OBJECT

public:
    QBalloonTip(const QIcon &icon, const QString &title, const QString &message, QWidget *owner);

    // Shows the balloon with its arrow (when `arrow` is set) at the global
    // point `anchor`, on the side of the screen where it fits.
    void showBalloon(const QPoint &anchor, bool arrow);
    // The same with the arrow on the sides given, wherever the screen edge is.
    void showBalloon(const QPoint &anchor, bool arrow, bool arrowAtTop, bool arrowAtLeft);
    void hideBalloon();
    // Tells a screen reader the warning, about the field `about` names.
    void announce(const QString &about);

    // Where the balloon would stand on the screen, arrow included, for the
    // anchor and arrow sides given.
    QRect geometryFor(const QPoint &anchor, bool arrowAtTop, bool arrowAtLeft) const;

    bool isHiddenFlagSet() const { return m_hidden; }
    QWidget *owner() const { return m_owner; }
    QPoint anchor() const { return m_anchor; }
    bool arrowAtTop() const { return m_arrowAtTop; }
    bool arrowAtLeft() const { return m_arrowAtLeft; }

    // Where the arrow would go for `anchor` on the screen holding it; false
    // when no screen holds it.
    bool placementFor(const QPoint &anchor, bool *arrowAtTop, bool *arrowAtLeft) const;
    // Moves a shown balloon with its window, by `offset`.
    void moveWith(const QPoint &offset);

signals:
    void switchButtonClicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *m_owner = nullptr;
    QPushButton *m_switchButton = nullptr;
    QPixmap m_pixmap;
    QString m_message;
    QPoint m_anchor;
    bool m_hidden = true;
    bool m_arrow = true;
    bool m_arrowAtTop = true;
    bool m_arrowAtLeft = true;
};
