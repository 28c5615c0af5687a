#include "FCItemEdit.h"

#include "CommentsDialog.h"
#include "FieldGeometry.h"
#include "MyLineEdit.h"
#include "RateConverter.h"
#include "SquareButton.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QSpacerItem>

namespace {

bool toAmount(const QString &text, qlonglong *amount)
{
    if (text.isEmpty()) {
        *amount = 0;
        return true;
    }
    bool ok = false;
    *amount = text.toLongLong(&ok, 10);
    return ok;
}

// A sign alone is the first keystroke of a negative amount, not an error.
bool isPartialAmount(const QString &text)
{
    return text == QLatin1String("-") || text == QLatin1String("+");
}

const char *const InvalidStyle = "QLineEdit { border-color: red; }";

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
    return tr("Whole dollars only: digits, with a leading minus if negative");
}

void FCItemEdit::setValue(double value)
{
    m_shownValue = value;
    setInvalid(false);
    m_edit->setText(value == 0.0 ? QString() : QString::number(value, 'g', 15));
}

qlonglong FCItemEdit::value() const
{
    qlonglong amount = 0;
    if (!toAmount(m_edit->text(), &amount))
        return 0;
    return amount;
}

void FCItemEdit::applyText(const QString &text)
{
    qlonglong amount = 0;
    if (toAmount(text, &amount)) {
        setInvalid(false);
        emit valueChanged(amount);
    } else {
        setInvalid(!isPartialAmount(text));
    }
}

void FCItemEdit::setInvalid(bool invalid)
{
    if (invalid == m_invalid)
        return;
    m_invalid = invalid;
    m_edit->setStyleSheet(invalid ? QString::fromLatin1(InvalidStyle) : QString());
    m_edit->setToolTip(invalid ? invalidToolTip() : QString());
}

void FCItemEdit::restoreShownValue()
{
    qlonglong amount = 0;
    if (toAmount(m_edit->text(), &amount))
        return;
    setValue(m_shownValue);
}

bool FCItemEdit::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving the field (not merely another window or a popup taking the
    // focus) gives up text that never reached the case.
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
    if (focused)
        m_edit->selectAll();
    else
        m_edit->deselect();
}

void FCItemEdit::on_footnoteButton_clicked()
{
    CommentsDialog dialog;
    dialog.setPlainText(m_footnote);
    if (dialog.exec() == QDialog::Accepted)
        emit footnoteChanged(dialog.plainText());
}

void FCItemEdit::on_calcButton_clicked()
{
    RateConverter converter(m_edit->text());
    if (converter.exec() != QDialog::Accepted)
        return;
    const QString result = converter.resultText();
    m_edit->setText(result);
    applyText(result);
}

void FCItemEdit::on_edit_textEdited(const QString &value)
{
    applyText(value);
}
