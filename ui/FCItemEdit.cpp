#include "FCItemEdit.h"

#include "AmountText.h"
#include "FieldGeometry.h"
#include "FieldLook.h"
#include "MyLineEdit.h"
#include "SquareButton.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QSpacerItem>

namespace {

QString shownText(double value)
{
    return value == 0.0 ? QString() : QString::number(value, 'g', 15);
}

} // namespace

FCItemEdit::FCItemEdit(QWidget *parent)
    : QFrame(parent)
{
    setupUi();

    setFocusProxy(m_edit);
    m_frame->setFixedSize(FieldGeometry::sideAreaSize(FieldGeometry::editHeight(this, m_edit)));
    connect(m_edit, &MyLineEdit::focusChanged, this, &FCItemEdit::onFocusChanged);
    m_edit->installEventFilter(this);
}

// The "F" and "C" buttons are built when the field first takes the focus:
// until then they are hidden, and a window holds many such fields.
void FCItemEdit::setupUi()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("FCItemEdit"));
    setLineWidth(0);
    setFocusPolicy(Qt::StrongFocus);

    m_horizontalLayout_2 = new QHBoxLayout(this);
    m_horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    m_horizontalLayout_2->setSpacing(5);
    m_horizontalLayout_2->setContentsMargins(0, 0, 0, 0);

    m_edit = new MyLineEdit(this);
    m_edit->setObjectName(QStringLiteral("edit"));
    m_horizontalLayout_2->addWidget(m_edit);

    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("frame"));
    m_frame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_horizontalLayout = new QHBoxLayout(m_frame);
    m_horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    m_horizontalLayout->setSpacing(5);
    m_horizontalLayout->setContentsMargins(0, 0, 0, 0);
    m_horizontalLayout->addItem(new QSpacerItem(55, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    m_horizontalLayout_2->addWidget(m_frame);

    connect(m_edit, &QLineEdit::textEdited, this, &FCItemEdit::on_edit_textEdited);
}

void FCItemEdit::ensureButtons()
{
    if (m_footnoteButton)
        return;
    m_footnoteButton = new SquareButton(m_frame);
    m_footnoteButton->setObjectName(QStringLiteral("footnoteButton"));
    m_footnoteButton->setText(QStringLiteral("F"));
    m_footnoteButton->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_footnoteButton->setBaseSize(20, 20);
    m_footnoteButton->setFocusPolicy(Qt::NoFocus);
    m_footnoteButton->setFlat(true);
    m_footnoteButton->setToolTip(tr("Footnote"));
    m_horizontalLayout->insertWidget(0, m_footnoteButton);

    m_calcButton = new SquareButton(m_frame);
    m_calcButton->setObjectName(QStringLiteral("calcButton"));
    m_calcButton->setText(QStringLiteral("C"));
    m_calcButton->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_calcButton->setFocusPolicy(Qt::NoFocus);
    m_calcButton->setFlat(true);
    m_calcButton->setToolTip(tr("Rate Converter"));
    m_horizontalLayout->insertWidget(1, m_calcButton);

    for (SquareButton *button : {m_footnoteButton, m_calcButton}) {
        QSizePolicy policy = button->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        button->setSizePolicy(policy);
        button->hide();
    }
    connect(m_footnoteButton, &QPushButton::clicked, this, &FCItemEdit::on_footnoteButton_clicked);
    connect(m_calcButton, &QPushButton::clicked, this, &FCItemEdit::on_calcButton_clicked);
}

QString FCItemEdit::invalidToolTip()
{
    return AmountText::invalidToolTip();
}

void FCItemEdit::setNegative(Negative rule, const QString &note)
{
    m_negative = rule;
    m_negativeNote = note;
}

bool FCItemEdit::readAmount(const QString &text, qlonglong *amount) const
{
    qlonglong read = 0;
    if (!AmountText::parseAmount(text, &read) || (read < 0 && m_negative == Negative::Refused))
        return false;
    *amount = read;
    return true;
}

void FCItemEdit::setValue(double value)
{
    const qlonglong amount = static_cast<qlonglong>(value);
    m_reported = amount;
    // Text being typed stays as it is while it stands for the value: it reads
    // as it, or it reads as nothing and the value is the one from before.
    qlonglong typed = 0;
    const bool readable = readAmount(m_edit->text(), &typed);
    if (m_edit->hasFocus() && (readable ? static_cast<double>(typed) == value : amount == m_entryValue))
        return;
    const QString text = shownText(value);
    if (m_edit->text() != text)
        m_edit->setText(text);
    m_entryValue = amount;
    setInvalid(false);
    setAmountNote(amount);
}

qlonglong FCItemEdit::value() const
{
    qlonglong amount = 0;
    if (!readAmount(m_edit->text(), &amount))
        return m_entryValue;
    return amount;
}

void FCItemEdit::applyText(const QString &text)
{
    qlonglong amount = 0;
    if (readAmount(text, &amount)) {
        setInvalid(false);
        setAmountNote(amount);
        m_reported = amount;
        emit valueChanged(amount);
        return;
    }
    qlonglong negative = 0;
    if (AmountText::parseAmount(text, &negative))
        setInvalid(true, AmountText::negativeToolTip());
    else
        setInvalid(!AmountText::isPartialAmount(text), invalidToolTip());
    // Text that stands for no amount must not leave the case holding what a
    // part of it read as ("4" of "4,50"): the amount from before the typing
    // holds until the text reads as one again.
    if (m_reported != m_entryValue) {
        m_reported = m_entryValue;
        emit valueChanged(m_entryValue);
    }
}

void FCItemEdit::setInvalid(bool invalid, const QString &reason)
{
    if (invalid == m_invalid && (!invalid || reason == m_invalidReason))
        return;
    m_invalid = invalid;
    m_invalidReason = invalid ? reason : QString();
    updateMark();
}

void FCItemEdit::setAmountNote(qlonglong amount)
{
    const QString note = m_negative == Negative::Noted && amount < 0 ? m_negativeNote : QString();
    if (note == m_note)
        return;
    m_note = note;
    updateMark();
}

void FCItemEdit::updateMark()
{
    if (m_invalid)
        FieldLook::markInvalid(m_edit, true, m_invalidReason);
    else
        FieldLook::markNote(m_edit, m_note);
}

void FCItemEdit::restoreShownValue()
{
    m_typing = false;
    qlonglong amount = 0;
    if (!readAmount(m_edit->text(), &amount)) {
        setValue(static_cast<double>(m_entryValue));
        return;
    }
    // "$4,500" reads as 4500: shown like every other amount once left.
    const QString text = shownText(static_cast<double>(amount));
    if (m_edit->text() != text)
        m_edit->setText(text);
}

bool FCItemEdit::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving the field (not merely another window or a popup taking the
    // focus) gives up text that never reached the case.
    if (watched == m_edit && event->type() == QEvent::FocusIn)
        m_focusReason = static_cast<QFocusEvent *>(event)->reason();
    if (watched == m_edit && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            restoreShownValue();
    }
    return QFrame::eventFilter(watched, event);
}

void FCItemEdit::onFocusChanged(bool focused)
{
    if (focused)
        ensureButtons();
    if (m_footnoteButton) {
        m_footnoteButton->setVisible(focused);
        m_calcButton->setVisible(focused);
    }
    // Coming back from another window goes on with the same typing.
    qlonglong amount = 0;
    if (focused && !m_typing && readAmount(m_edit->text(), &amount)) {
        m_typing = true;
        m_entryValue = amount;
        m_reported = amount;
    }
    // Entering the field selects what it holds; coming back to the window
    // (or from a list) goes on where the typing was, lest a key replace it all.
    const bool returning = m_focusReason == Qt::ActiveWindowFocusReason || m_focusReason == Qt::PopupFocusReason;
    if (focused && !returning)
        m_edit->selectAll();
    else if (!focused)
        m_edit->deselect();
}

void FCItemEdit::on_footnoteButton_clicked()
{
    emit footnoteRequested();
}

void FCItemEdit::on_calcButton_clicked()
{
    emit rateConverterRequested(m_edit->text());
}

void FCItemEdit::reportFootnote(const QString &text)
{
    emit footnoteChanged(text);
}

void FCItemEdit::applyConvertedAmount(const QString &text)
{
    m_edit->setText(text);
    applyText(text);
}

void FCItemEdit::on_edit_textEdited(const QString &value)
{
    applyText(value);
}
