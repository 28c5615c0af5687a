#include "QBalloonTip.h"

#include "Accessible.h"

#include <QBitmap>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {
constexpr int ArrowHeight = 18;
constexpr int ArrowWidth = 10;
constexpr int ArrowGap = 8;
} // namespace

QBalloonTip::QBalloonTip(const QIcon &icon, const QString &title, const QString &message, QWidget *owner)
    : QWidget(nullptr, Qt::ToolTip)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("QBalloonTip"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    Accessible::markAlert(this);
    Accessible::name(this, title, message);
    m_message = message;

    auto *titleLabel = new QLabel(this);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->setTextFormat(Qt::PlainText);
    titleLabel->setText(title);
    QFont titleFont = titleLabel->font();
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);

    auto *closeButton = new QPushButton(this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    closeButton->setIconSize(QSize(24, 24));
    closeButton->setFixedSize(24, 24);
    closeButton->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"));
    closeButton->setFocusPolicy(Qt::NoFocus);
    connect(closeButton, &QPushButton::clicked, this, &QBalloonTip::hideBalloon);

    auto *messageLabel = new QLabel(this);
    messageLabel->setObjectName(QStringLiteral("messageLabel"));
    messageLabel->setTextFormat(Qt::PlainText);
    messageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    messageLabel->setText(message);

    m_switchButton = new QPushButton(tr("Switch to Sole Guidelines"), this);
    m_switchButton->setObjectName(QStringLiteral("switchButton"));
    m_switchButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_switchButton->setFocusPolicy(Qt::NoFocus);
    connect(m_switchButton, &QPushButton::clicked, this, &QBalloonTip::switchButtonClicked);

    auto *layout = new QGridLayout(this);
    layout->setSpacing(10);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (!icon.isNull()) {
        auto *iconLabel = new QLabel(this);
        iconLabel->setObjectName(QStringLiteral("iconLabel"));
        iconLabel->setPixmap(icon.pixmap(18, 18));
        iconLabel->setMargin(2);
        layout->addWidget(iconLabel, 0, 0);
        layout->addWidget(titleLabel, 0, 1);
    } else {
        layout->addWidget(titleLabel, 0, 0, 1, 2);
    }
    layout->addWidget(closeButton, 0, 2);
    layout->addWidget(messageLabel, 1, 0, 1, 3);
    layout->addWidget(m_switchButton, 2, 0, 1, 3);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 225));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
}

bool QBalloonTip::placementFor(const QPoint &anchor, bool *arrowAtTop, bool *arrowAtLeft) const
{
    const QScreen *screen = QGuiApplication::screenAt(anchor);
    if (!screen)
        return false;
    const QRect available = screen->availableGeometry();
    const QSize hint = sizeHint();
    *arrowAtTop = anchor.y() + hint.height() + ArrowHeight < available.height();
    *arrowAtLeft = anchor.x() + hint.width() < available.width();
    return true;
}

void QBalloonTip::showBalloon(const QPoint &anchor, bool arrow)
{
    bool top = true;
    bool left = true;
    if (!placementFor(anchor, &top, &left)) {
        m_anchor = anchor;
        m_arrow = arrow;
        return;
    }
    showBalloon(anchor, arrow, top, left);
}

QRect QBalloonTip::geometryFor(const QPoint &anchor, bool arrowAtTop, bool arrowAtLeft) const
{
    const QScreen *screen = QGuiApplication::screenAt(anchor);
    const QRect available = screen ? screen->availableGeometry() : QRect();
    // The size once shown, whatever the margins are now (they make room for
    // the arrow at the top or at the bottom; the sum is the same).
    const QMargins margins = contentsMargins();
    const QSize hint = sizeHint()
                       + QSize(8 - margins.left() - margins.right(), ArrowHeight + 6 - margins.top() - margins.bottom());
    const int w = hint.width();
    const int h = hint.height();
    const int y = arrowAtTop ? anchor.y() + ArrowGap : anchor.y() - h - ArrowGap;
    const int x = arrowAtLeft ? qMax(anchor.x(), available.left() + 2) : qMin(anchor.x() - w, available.right() - w - 2);
    return QRect(x, y, w, h);
}

void QBalloonTip::showBalloon(const QPoint &anchor, bool arrow, bool arrowAtTop, bool arrowAtLeft)
{
    m_anchor = anchor;
    m_arrow = arrow;
    const QScreen *screen = QGuiApplication::screenAt(anchor);
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    m_arrowAtTop = arrowAtTop;
    m_arrowAtLeft = arrowAtLeft;

    if (m_arrowAtTop)
        setContentsMargins(4, ArrowHeight + 3, 4, 3);
    else
        setContentsMargins(4, 3, 4, ArrowHeight + 3);
    updateGeometry();
    const QSize hint = sizeHint();
    const int w = hint.width();
    const int h = hint.height();

    const int top = m_arrowAtTop ? ArrowHeight : 0;
    const int bottom = m_arrowAtTop ? h - 1 : h - ArrowHeight - 1;
    QPainterPath path;
    path.addRect(QRectF(QPointF(0, top), QPointF(w - 1, bottom)));
    if (m_arrow) {
        QPolygonF triangle;
        if (m_arrowAtTop && m_arrowAtLeft)
            triangle << QPointF(0, top) << QPointF(0, top - ArrowHeight) << QPointF(ArrowWidth, top);
        else if (m_arrowAtTop)
            triangle << QPointF(w - ArrowWidth - 1, top) << QPointF(w - 1, top - ArrowHeight) << QPointF(w - 1, top);
        else if (!m_arrowAtLeft)
            triangle << QPointF(w - 1, bottom) << QPointF(w - 1, bottom + ArrowHeight)
                     << QPointF(w - ArrowWidth - 1, bottom);
        else
            triangle << QPointF(ArrowWidth, bottom) << QPointF(0, bottom + ArrowHeight) << QPointF(0, bottom);
        triangle << triangle.first();
        QPainterPath arrowPath;
        arrowPath.addPolygon(triangle);
        path = path.united(arrowPath);
    }

    QPoint position;
    position.setY(m_arrowAtTop ? anchor.y() + ArrowGap : anchor.y() - h - ArrowGap);
    position.setX(m_arrowAtLeft ? qMax(anchor.x(), available.left() + 2)
                                : qMin(anchor.x() - w, available.right() - w - 2));
    resize(w, h);
    move(position);

    QBitmap mask(w, h);
    mask.fill(Qt::color0);
    {
        QPainter maskPainter(&mask);
        maskPainter.setPen(Qt::color1);
        maskPainter.setBrush(Qt::color1);
        maskPainter.drawPath(path);
    }
    setMask(mask);

    m_pixmap = QPixmap(w, h);
    m_pixmap.fill(Qt::transparent);
    {
        QPainter painter(&m_pixmap);
        const QColor fill = palette().color(QPalette::Window);
        painter.setPen(QPen(fill.darker(160), 1));
        painter.setBrush(fill);
        painter.drawPath(path);
    }

    show();
    m_hidden = false;
}

void QBalloonTip::announce(const QString &about)
{
    QString text = m_message;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    Accessible::announce(this, about.isEmpty() ? text : tr("%1: %2").arg(about, text));
}

void QBalloonTip::hideBalloon()
{
    if (!m_hidden)
        hide();
    m_hidden = true;
}

void QBalloonTip::moveWith(const QPoint &offset)
{
    move(pos() + offset);
    m_anchor += offset;
}

void QBalloonTip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(rect(), m_pixmap);
}
