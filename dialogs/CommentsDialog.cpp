#include "CommentsDialog.h"

#include "Accessible.h"
#include "DialogFlags.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

CommentsDialog::CommentsDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CommentsDialog"));
    setWindowTitle(tr("Footnotes"));
    resize(350, 280);

    auto *layout = new QVBoxLayout(this);
    layout->setObjectName(QStringLiteral("verticalLayout"));
    m_textEdit = new QPlainTextEdit(this);
    m_textEdit->setObjectName(QStringLiteral("textEdit"));
    layout->addWidget(m_textEdit);
    Accessible::name(m_textEdit, tr("Text of the note"));

    auto *buttons = new QHBoxLayout;
    buttons->setObjectName(QStringLiteral("horizontalLayout"));
    m_doneButton = new QPushButton(tr("Done"), this);
    m_doneButton->setObjectName(QStringLiteral("doneButton"));
    m_doneButton->setDefault(true);
    buttons->addWidget(m_doneButton);
    buttons->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons);

    QMetaObject::connectSlotsByName(this);
    OrvaDialogs::setCommonWindowFlags(this);
    m_textEdit->setFocus();
}

void CommentsDialog::setPlainText(const QString &text)
{
    m_textEdit->setPlainText(text);
}

QString CommentsDialog::plainText() const
{
    return m_textEdit->toPlainText();
}

void CommentsDialog::on_doneButton_clicked()
{
    accept();
}

void CommentsDialog::on_cancelButton_clicked()
{
    reject();
}
