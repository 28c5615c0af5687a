#include "FCbItemEdit.h"

#include "CommentsDialog.h"
#include "FieldGeometry.h"
#include "MyComboBox.h"
#include "MyLineEdit.h"
#include "SquareButton.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLineEdit>

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
    return m_comboBox;
}

void FCbItemEdit::setPercent(double percent)
{
    m_percent = percent;
    if (m_comboBox)
        m_comboBox->setCurrentIndex(m_comboBox->findData(percent));
}

void FCbItemEdit::setAmountText(const QString &text)
{
    m_lineEdit->setText(text);
}

void FCbItemEdit::focusChanged(bool focused)
{
    qDebug() << objectName() << "focus changed" << focused;
    if (focused)
        comboBox();
    if (m_comboBox)
        m_comboBox->setVisible(focused);
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
    CommentsDialog dialog;
    dialog.setPlainText(m_footnote);
    if (dialog.exec() == QDialog::Accepted)
        emit footnoteChanged(dialog.plainText());
}
