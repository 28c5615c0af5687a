#include "LItemEdit.h"

#include "Accessible.h"
#include "FieldGeometry.h"
#include "FieldLook.h"
#include "MyLineEdit.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>

LItemEdit::LItemEdit(QWidget *parent)
    : QFrame(parent)
{
    setupUi();
    setFocusProxy(m_lineEdit);
    m_label->setFixedSize(FieldGeometry::sideAreaSize(FieldGeometry::editHeight(this, m_lineEdit)));
    connect(m_lineEdit, &QLineEdit::textEdited, this, &LItemEdit::textEdited);
    connect(m_lineEdit, &QLineEdit::editingFinished, this, [this] { emit editingFinished(m_lineEdit->text()); });
}

void LItemEdit::setupUi()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("LItemEdit"));
    m_horizontalLayout = new QHBoxLayout(this);
    m_horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    m_horizontalLayout->setSpacing(5);
    m_horizontalLayout->setContentsMargins(0, 0, 0, 0);

    m_lineEdit = new MyLineEdit(this);
    m_lineEdit->setObjectName(QStringLiteral("lineEdit"));
    m_horizontalLayout->addWidget(m_lineEdit);

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("label"));
    m_label->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    m_horizontalLayout->addWidget(m_label);
}

void LItemEdit::setFieldName(const QString &name, const QString &description, const QString &labelMeaning)
{
    m_description = description;
    Accessible::name(m_lineEdit, name, m_invalid ? m_invalidReason : m_note.isEmpty() ? description : m_note);
    if (!labelMeaning.isEmpty())
        Accessible::name(m_label, QString(), labelMeaning);
}

void LItemEdit::setText(const QString &text)
{
    // Rewriting equal text would move the cursor of someone typing here.
    if (m_lineEdit->text() != text)
        m_lineEdit->setText(text);
}

QString LItemEdit::text() const
{
    return m_lineEdit->text();
}

void LItemEdit::setReadOnly(bool readOnly)
{
    m_lineEdit->setReadOnly(readOnly);
}

void LItemEdit::setMaxLength(int length)
{
    m_lineEdit->setMaxLength(length);
}

void LItemEdit::setLabelText(const QString &text)
{
    m_label->setText(text);
}

QString LItemEdit::labelText() const
{
    return m_label->text();
}

void LItemEdit::setLabelAlignment(Qt::Alignment alignment)
{
    m_label->setAlignment(alignment);
}

void LItemEdit::setBold(bool bold)
{
    // Under a style sheet every font change re-polishes the edit: only a
    // change of weight is worth it.
    const QFont::Weight weight = bold ? QFont::Bold : QFont::Normal;
    QFont font = m_lineEdit->font();
    if (font.weight() == weight && m_lineEdit->testAttribute(Qt::WA_SetFont))
        return;
    font.setWeight(weight);
    m_lineEdit->setFont(font);
}

void LItemEdit::setInvalid(bool invalid, const QString &reason)
{
    if (invalid == m_invalid && reason == m_invalidReason)
        return;
    m_invalid = invalid;
    m_invalidReason = invalid ? reason : QString();
    updateMark();
}

void LItemEdit::setNote(const QString &note)
{
    if (note == m_note)
        return;
    m_note = note;
    updateMark();
}

void LItemEdit::updateMark()
{
    // A mark is said as it appears; while it stands it describes the field.
    if (m_invalid) {
        m_lineEdit->setStyleSheet(FieldLook::invalidStyleSheet());
        m_lineEdit->setToolTip(m_invalidReason);
        Accessible::announce(m_lineEdit, m_invalidReason);
    } else if (!m_note.isEmpty()) {
        m_lineEdit->setStyleSheet(FieldLook::noteStyleSheet());
        m_lineEdit->setToolTip(m_note);
        Accessible::announce(m_lineEdit, m_note);
    } else {
        m_lineEdit->setStyleSheet(QString());
        m_lineEdit->setToolTip(QString());
        if (m_lineEdit->accessibleDescription() != m_description)
            m_lineEdit->setAccessibleDescription(m_description);
    }
}
