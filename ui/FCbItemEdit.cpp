#include "FCbItemEdit.h"

#include "Accessible.h"
#include "FieldGeometry.h"
#include "MyComboBox.h"
#include "MyLineEdit.h"
#include "SquareButton.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateTime>
#include <QDebug>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

FCbItemEdit::FCbItemEdit(QWidget *parent)
    : QFrame(parent)
{
    setupUi();

    m_lineEdit->setReadOnly(true);
    m_fButton->setFocusProxy(this);
    setFocusProxy(m_lineEdit);
    QSizePolicy policy = m_fButton->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_fButton->setSizePolicy(policy);
    m_fButton->hide();
    m_frame->setFixedSize(FieldGeometry::sideAreaSize(FieldGeometry::editHeight(this, m_lineEdit)));
    connect(m_lineEdit, &MyLineEdit::focusChanged, this, &FCbItemEdit::focusChanged);
    m_lineEdit->installEventFilter(this);
}

// The percentage list is built when it is first needed (the field takes the
// focus, or someone asks for it): until then it is hidden, and an editable
// combo box is the costliest part of the field.
void FCbItemEdit::setupUi()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("FCbItemEdit"));

    m_horizontalLayout_2 = new QHBoxLayout(this);
    m_horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    m_horizontalLayout_2->setSpacing(5);
    m_horizontalLayout_2->setContentsMargins(0, 0, 0, 0);

    m_lineEdit = new MyLineEdit(this);
    m_lineEdit->setObjectName(QStringLiteral("lineEdit"));
    m_lineEdit->setFocusPolicy(Qt::StrongFocus);
    m_horizontalLayout_2->addWidget(m_lineEdit);

    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("frame"));
    m_frame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_horizontalLayout = new QHBoxLayout(m_frame);
    m_horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    m_horizontalLayout->setSpacing(5);
    m_horizontalLayout->setContentsMargins(0, 0, 0, 0);

    m_fButton = new SquareButton(m_frame);
    m_fButton->setObjectName(QStringLiteral("fButton"));
    m_fButton->setText(QStringLiteral("F"));
    m_fButton->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    m_fButton->setFocusPolicy(Qt::NoFocus);
    m_fButton->setFlat(true);
    m_fButton->setToolTip(tr("Footnote"));
    m_horizontalLayout->addWidget(m_fButton);
    // The percentage chosen, readable while the list is away, where the
    // list shows it: beside its own amount, not next to the other column.
    m_percentLabel = new QLabel(m_frame);
    m_percentLabel->setObjectName(QStringLiteral("percentLabel"));
    m_percentLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_percentLabel->setText(percentText(m_percent));
    m_horizontalLayout->addWidget(m_percentLabel, 1);
    m_horizontalLayout_2->addWidget(m_frame);

    QMetaObject::connectSlotsByName(this);
}

MyComboBox *FCbItemEdit::comboBox()
{
    if (m_comboBox)
        return m_comboBox;
    m_comboBox = new MyComboBox(m_frame);
    m_comboBox->setObjectName(QStringLiteral("comboBox"));
    m_comboBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_comboBox->setFocusPolicy(Qt::NoFocus);
    m_comboBox->setEditable(true);
    // Typed text must not add items that carry no percentage.
    m_comboBox->setInsertPolicy(QComboBox::NoInsert);
    // Keyboard focus always resolves to the amount; the list is the way to pick.
    m_comboBox->lineEdit()->setReadOnly(true);
    m_comboBox->setFocusProxy(this);
    QSizePolicy policy = m_comboBox->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_comboBox->setSizePolicy(policy);
    m_comboBox->hide();
    for (int step = 0; step <= 10; ++step) {
        const double percent = step * 0.5;
        m_comboBox->addItem(QString::number(percent, 'f', 1) + QLatin1Char('%'), percent);
    }
    m_comboBox->setCurrentIndex(m_comboBox->findData(m_percent));
    m_horizontalLayout->addWidget(m_comboBox);
    connect(m_comboBox, qOverload<int>(&QComboBox::activated), this, &FCbItemEdit::comboActivated);
    m_comboBox->view()->installEventFilter(this);
    m_comboBox->view()->window()->installEventFilter(this);
    nameParts();
    return m_comboBox;
}

QString FCbItemEdit::percentText(double percent)
{
    // Only the list's own steps, 0.0 % to 5.0 % by halves, have an item.
    if (percent < 0.0 || percent > 5.0 || std::floor(percent * 2) != percent * 2)
        return QString();
    return QString::number(percent, 'f', 1) + QLatin1Char('%');
}

void FCbItemEdit::setFieldName(const QString &name)
{
    Accessible::name(m_lineEdit, name);
    nameParts();
}

void FCbItemEdit::nameParts()
{
    const QString name = m_lineEdit->accessibleName();
    Accessible::name(m_lineEdit, name,
                     tr("%1 % of income. Up and Down change the percentage, Ctrl+Shift+F edits the footnote.")
                         .arg(QString::number(m_percent, 'f', 1)));
    Accessible::name(m_fButton, tr("Footnote: %1").arg(name));
    if (m_comboBox)
        Accessible::name(m_comboBox, tr("Percentage: %1").arg(name));
}

void FCbItemEdit::setPercent(double percent)
{
    m_percent = percent;
    m_percentLabel->setText(percentText(percent));
    nameParts();
    if (!m_comboBox)
        return;
    const int index = m_comboBox->findData(percent);
    m_comboBox->setCurrentIndex(index);
    // The list's own edit line may still show something else (a percentage
    // typed, or no match at all): it always shows the item chosen.
    const QString text = index < 0 ? QString() : m_comboBox->itemText(index);
    if (m_comboBox->lineEdit() && m_comboBox->lineEdit()->text() != text)
        m_comboBox->lineEdit()->setText(text);
}

void FCbItemEdit::setAmountText(const QString &text)
{
    if (m_lineEdit->text() != text)
        m_lineEdit->setText(text);
}

void FCbItemEdit::focusChanged(bool focused)
{
    qDebug() << objectName() << "focus changed" << focused;
    if (focused)
        comboBox();
    if (m_comboBox)
        m_comboBox->setVisible(focused);
    m_percentLabel->setVisible(!focused);
    m_fButton->setVisible(focused);
    if (focused)
        m_lineEdit->selectAll();
}

void FCbItemEdit::comboActivated(int index)
{
    Q_UNUSED(index)
    emit percentChanged(m_comboBox->currentData().toDouble());
}

void FCbItemEdit::on_fButton_clicked()
{
    emit footnoteRequested();
}

void FCbItemEdit::reportFootnote(const QString &text)
{
    emit footnoteChanged(text);
}

bool FCbItemEdit::eventFilter(QObject *watched, QEvent *event)
{
    // The open list hands its focus on to this field, so its keys arrive at
    // the list window or at the amount: both are handled here.
    const bool ours = watched == m_lineEdit
                      || (m_comboBox && (watched == m_comboBox->view() || watched == m_comboBox->view()->window()));
    if (ours && event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QFrame::eventFilter(watched, event);
}

bool FCbItemEdit::handleKey(QKeyEvent *event)
{
    MyComboBox *combo = comboBox();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    QAbstractItemView *list = combo->view();
    const bool open = list->isVisible();
    const int current = open ? list->currentIndex().row() : combo->currentIndex();
    const int last = combo->count() - 1;
    // In the open list the keys move the highlight and Return chooses; with
    // the list closed they choose at once.
    const auto go = [this, list, open](int index) {
        if (index < 0)
            return;
        if (open)
            list->setCurrentIndex(list->model()->index(index, 0));
        else
            choose(index);
    };
    const int key = event->key();
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Down || key == Qt::Key_Up)) {
        m_typed.clear();
        go(current < 0 ? 0 : qBound(0, current + (key == Qt::Key_Down ? 1 : -1), last));
        return true;
    }
    if (open && modifiers == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        combo->hidePopup();
        choose(current);
        return true;
    }
    const bool toggle = (modifiers == Qt::AltModifier && (key == Qt::Key_Down || key == Qt::Key_Up))
                        || (modifiers == Qt::NoModifier && key == Qt::Key_F4);
    if (toggle || (open && key == Qt::Key_Escape)) {
        if (open)
            combo->hidePopup();
        else if (key != Qt::Key_Up)
            combo->showPopup();
        return true;
    }
    if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_F) {
        on_fButton_clicked();
        return true;
    }
    const QString text = event->text();
    if ((modifiers & ~Qt::ShiftModifier) != Qt::NoModifier || text.size() != 1)
        return false;
    const QChar c = text.at(0);
    if (!c.isDigit() && c != QLatin1Char('.') && c != QLatin1Char(',') && c != QLatin1Char('%'))
        return false;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_typedAt > QApplication::keyboardInputInterval() || m_typed.isEmpty()) {
        m_typed.clear();
        m_typedFrom = current;
    }
    m_typedAt = now;
    if (c == QLatin1Char('%'))
        return true;
    m_typed += c == QLatin1Char(',') ? QLatin1Char('.') : c;
    // ".5" is 0.5; "2" already picks 2.0 % and "2.5" then 2.5 %. Typing that
    // names no percentage ("25", "7") brings back the one from before it.
    const QString sought = m_typed.startsWith(QLatin1Char('.')) ? QLatin1Char('0') + m_typed : m_typed;
    int found = -1;
    for (int i = 0; i <= last && found < 0; ++i) {
        if (combo->itemText(i).startsWith(sought))
            found = i;
    }
    go(found >= 0 ? found : m_typedFrom);
    return true;
}

void FCbItemEdit::choose(int index)
{
    MyComboBox *combo = comboBox();
    if (index < 0 || index == combo->currentIndex())
        return;
    combo->setCurrentIndex(index);
    m_percent = combo->itemData(index).toDouble();
    nameParts();
    emit percentChanged(m_percent);
}
