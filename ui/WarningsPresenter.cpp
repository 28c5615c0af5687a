#include "WarningsPresenter.h"

#include "CaseHolder.h"
#include "FCItemEdit.h"
#include "FCbItemEdit.h"
#include "LItemEdit.h"
#include "MainWindowForm.h"
#include "OrvaDocument.h"
#include "QBalloonTip.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// Keeps a notice from taking the keyboard: where the window system makes it
// the active window all the same, the keyboard goes back to `owner` (and so
// to the field being typed into). A click into the notice is the user's own
// choice and is left alone.
class KeyboardStaysWith : public QObject
{
public:
    KeyboardStaysWith(QWidget *notice, QWidget *owner)
        : QObject(notice)
        , m_owner(owner)
    {
        notice->installEventFilter(this);
        for (QWidget *child : notice->findChildren<QWidget *>())
            child->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            m_clicked = true;
        if (event->type() == QEvent::WindowActivate && watched == parent() && !m_clicked) {
            QPointer<QWidget> owner = m_owner;
            QMetaObject::invokeMethod(
                this,
                [owner] {
                    if (owner)
                        QApplication::setActiveWindow(owner);
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_owner;
    bool m_clicked = false;
};

// A style sheet change re-polishes the widget and its children: only a change
// of the warning state should pay for it.
bool setStyleSheetIfChanged(QWidget *widget, const QString &styleSheet)
{
    if (widget->styleSheet() == styleSheet)
        return false;
    widget->setStyleSheet(styleSheet);
    return true;
}

} // namespace

WarningsPresenter::WarningsPresenter(QWidget *window, Ui::MainWindow *form, CaseHolder *holder)
    : m_window(window)
    , m_ui(form)
    , m_case(holder)
{
    const QIcon warningIcon = window->style()->standardIcon(QStyle::SP_MessageBoxWarning);
    const QString warningTitle = tr("Warning");
    const QString warningText = tr("Under the statute this calculation\nis greater than sole guidelines");
    m_motherBalloon = std::make_unique<QBalloonTip>(warningIcon, warningTitle, warningText,
                                                    form->motherRecommendedChildSupportEdit);
    m_motherBalloon->setObjectName(QStringLiteral("motherBalloon"));
    m_fatherBalloon = std::make_unique<QBalloonTip>(warningIcon, warningTitle, warningText,
                                                    form->fatherRecommendedChildSupportEdit);
    m_fatherBalloon->setObjectName(QStringLiteral("fatherBalloon"));
    m_noticeTimer.setSingleShot(true);
    m_noticeTimer.setInterval(2000);
}

WarningsPresenter::~WarningsPresenter() = default;

QString WarningsPresenter::sharedAboveSoleStyle()
{
    return QStringLiteral("QLineEdit { border-style: outset; border-width: 1px; border-color: red; "
                          "background-color: lightpink; }");
}

QString WarningsPresenter::aboveScheduleStyle()
{
    return QStringLiteral("QLineEdit { border-style: outset; border-width: 1px; border-color: gold; "
                          "background-color: yellow; }");
}

void WarningsPresenter::followApplication()
{
    // The balloons belong to this window: away while another program is in
    // front, and never over the field that has the keyboard.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            showWarningBalloons();
        else
            hideBalloons();
    });
    connect(qApp, &QApplication::focusChanged, this, [this] { keepBalloonsOffFocus(); });
}

void WarningsPresenter::showWarnings(const WorksheetLines &lines)
{
    qint64 soleValue = 0;
    showWarning(OrvaDocument::sharedAboveSoleWarning(lines, OrvaDocument::Mother, soleValue),
                m_ui->motherRecommendedChildSupportEdit, m_motherBalloon.get());
    soleValue = 0;
    showWarning(OrvaDocument::sharedAboveSoleWarning(lines, OrvaDocument::Father, soleValue),
                m_ui->fatherRecommendedChildSupportEdit, m_fatherBalloon.get());

    switch (m_case->document()->checkExtrapolation(m_noticeTimer.isActive(), lines)) {
    case OrvaDocument::ExtrapolationNoChange:
        break;
    case OrvaDocument::ExtrapolationWithinLimit:
        setStyleSheetIfChanged(m_ui->adjustedCombinedIncomeEdit, QString());
        break;
    case OrvaDocument::ExtrapolationHighlight:
        setStyleSheetIfChanged(m_ui->adjustedCombinedIncomeEdit, aboveScheduleStyle());
        break;
    case OrvaDocument::ExtrapolationWarn: {
        setStyleSheetIfChanged(m_ui->adjustedCombinedIncomeEdit, aboveScheduleStyle());
        // The notice belongs to this case: a New or Open within the delay
        // must not show it over the next one.
        const std::weak_ptr<OrvaDocument> warned = m_case->sharedDocument();
        QTimer::singleShot(m_timings.delay, this, [this, warned] {
            if (warned.lock() == m_case->sharedDocument())
                showExtrapolationNotice();
        });
        break;
    }
    }

    m_noticeTimer.stop();
}

void WarningsPresenter::suppressNotice()
{
    m_noticeTimer.start();
}

void WarningsPresenter::showWarning(bool warning, LItemEdit *field, QBalloonTip *balloon)
{
    if (warning) {
        // A style sheet change re-polishes the edit and drops its own font.
        if (setStyleSheetIfChanged(field, sharedAboveSoleStyle()))
            field->setBold(true);
        if (!balloon->isVisible() && !m_window->isMinimized())
            placeBalloon(balloon);
    } else {
        if (setStyleSheetIfChanged(field, QString()))
            field->setBold(true);
        field->setToolTip(QString());
        balloon->hideBalloon();
    }
}

void WarningsPresenter::showExtrapolationNotice()
{
    auto *notice = new QDialog(m_window);
    notice->setObjectName(QStringLiteral("extrapolationNotice"));
    notice->setWindowTitle(QString());
    auto *layout = new QVBoxLayout(notice);
    auto *label = new QLabel(OrvaDocument::extrapolationWarningText(m_case->document()->mode()), notice);
    label->setObjectName(QStringLiteral("noticeLabel"));
    label->setWordWrap(true);
    label->setMinimumWidth(380);
    layout->addWidget(label);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Horizontal, notice);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, notice, &QDialog::accept);
    connect(notice, &QDialog::finished, notice, &QObject::deleteLater);
    QTimer::singleShot(m_timings.lifetime, notice, &QDialog::accept);
    // The notice comes while the user types: it must neither take the
    // keyboard nor block the window, nor cover the field being typed into.
    notice->setWindowModality(Qt::NonModal);
    notice->setAttribute(Qt::WA_ShowWithoutActivating);
    notice->setFocusPolicy(Qt::NoFocus);
    new KeyboardStaysWith(notice, m_window);
    notice->adjustSize();
    placeNotice(notice);
    notice->show();
}

void WarningsPresenter::placeNotice(QWidget *notice)
{
    const QRect window = m_window->frameGeometry();
    const QSize size = notice->frameGeometry().size().expandedTo(notice->sizeHint());
    const QRect avoid = focusedFieldArea();
    const QScreen *screen = m_window->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const int left = window.center().x() - size.width() / 2;
    const QRect content = m_window->geometry();
    // Centred over the window, else over its top (the case header), else its bottom.
    const QList<QRect> places = {
        QRect(QPoint(left, window.center().y() - size.height() / 2), size),
        QRect(QPoint(left, content.top() + 8), size),
        QRect(QPoint(left, content.bottom() - size.height() - 8), size),
    };
    for (const QRect &place : places) {
        if ((avoid.isEmpty() || !place.intersects(avoid)) && (available.isEmpty() || available.contains(place))
            && window.contains(place)) {
            notice->move(place.topLeft());
            return;
        }
    }
    notice->move(places.first().topLeft());
}

QRect WarningsPresenter::focusedFieldArea() const
{
    QWidget *focused = QApplication::focusWidget();
    if (!focused || focused->window() != m_window)
        return QRect();
    // The composite field around an inner edit, with its buttons.
    QWidget *field = focused;
    if (QWidget *parent = focused->parentWidget();
        parent && (qobject_cast<FCItemEdit *>(parent) || qobject_cast<FCbItemEdit *>(parent)
                   || qobject_cast<LItemEdit *>(parent)))
        field = parent;
    return QRect(field->mapToGlobal(QPoint(0, 0)), field->size());
}

void WarningsPresenter::placeBalloon(QBalloonTip *balloon, int anchorX)
{
    QWidget *field = balloon->owner();
    const int middle = field->height() / 2;
    const QPoint usual = field->mapToGlobal(QPoint(anchorX, middle));
    const QRect avoid = focusedFieldArea();
    bool top = true;
    bool left = true;
    if (!balloon->placementFor(usual, &top, &left)) {
        balloon->showBalloon(usual, true);
        return;
    }
    // Where it usually stands, unless that leaves the window or covers the
    // field being typed into: then above or below instead, or beside its
    // field.
    struct Place {
        QPoint anchor;
        bool top;
        bool left;
    };
    const QPoint beforeField = field->mapToGlobal(QPoint(-1, middle));
    const QPoint afterField = field->mapToGlobal(QPoint(field->width(), middle));
    const Place places[] = {
        {usual, top, left},         {usual, !top, left},      {beforeField, top, false},
        {beforeField, !top, false}, {afterField, top, true},  {afterField, !top, true},
    };
    const QRect bounds = balloonBounds(usual);
    for (const Place &place : places) {
        const QRect area = balloon->geometryFor(place.anchor, place.top, place.left);
        if (bounds.contains(area) && (avoid.isEmpty() || !area.intersects(avoid))) {
            balloon->showBalloon(place.anchor, true, place.top, place.left);
            return;
        }
    }
    balloon->showBalloon(usual, true);
}

// A balloon belongs to the window: within its frame, and on the screen.
QRect WarningsPresenter::balloonBounds(const QPoint &anchor) const
{
    QRect bounds = m_window->frameGeometry();
    if (const QScreen *screen = QGuiApplication::screenAt(anchor))
        bounds &= screen->availableGeometry();
    return bounds;
}

void WarningsPresenter::showWarningBalloons()
{
    if (!m_window->isVisible() || m_window->isMinimized())
        return;
    OrvaDocument *doc = m_case->document();
    qint64 soleValue = 0;
    if (doc->motherRecommendedChildSupportWarning(soleValue) && !m_motherBalloon->isVisible())
        placeBalloon(m_motherBalloon.get());
    soleValue = 0;
    if (doc->fatherRecommendedChildSupportWarning(soleValue) && !m_fatherBalloon->isVisible())
        placeBalloon(m_fatherBalloon.get());
}

void WarningsPresenter::keepBalloonsOffFocus()
{
    const QRect avoid = focusedFieldArea();
    if (avoid.isEmpty())
        return;
    for (QBalloonTip *balloon : {m_motherBalloon.get(), m_fatherBalloon.get()}) {
        if (balloon && balloon->isVisible() && balloon->geometry().intersects(avoid)) {
            balloon->hideBalloon();
            placeBalloon(balloon, 2);
        }
    }
}

void WarningsPresenter::hideBalloons()
{
    m_motherBalloon->hideBalloon();
    m_fatherBalloon->hideBalloon();
}

void WarningsPresenter::windowStateChanged()
{
    if (m_window->isMinimized())
        hideBalloons();
    else
        showWarningBalloons();
}

void WarningsPresenter::windowMoved(const QPoint &offset)
{
    for (QBalloonTip *balloon : {m_motherBalloon.get(), m_fatherBalloon.get()}) {
        if (!balloon || !balloon->isVisible())
            continue;
        // It goes with the window, and finds another side only where the
        // window took it over a screen edge.
        if (balloonBounds(balloon->anchor() + offset).contains(balloon->geometry().translated(offset))) {
            balloon->moveWith(offset);
        } else {
            balloon->hideBalloon();
            placeBalloon(balloon, 2);
        }
    }
}
