#include "HeaderLabel.h"

#include <QHBoxLayout>
#include <QLabel>

HeaderLabel::HeaderLabel(QWidget *parent)
    : QFrame(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("HeaderLabel"));
    resize(611, 24);
    m_horizontalLayout = new QHBoxLayout(this);
    m_horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    m_horizontalLayout->setSpacing(5);
    m_horizontalLayout->setContentsMargins(0, 0, 0, 0);

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("label"));
    m_label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_horizontalLayout->addWidget(m_label);

    m_padding = new QLabel(this);
    m_padding->setObjectName(QStringLiteral("padding"));
    m_padding->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_padding->setMinimumSize(120, 0);
    m_padding->setMaximumSize(105, QWIDGETSIZE_MAX);
    m_horizontalLayout->addWidget(m_padding);
}

void HeaderLabel::setText(const QString &text)
{
    m_label->setText(text);
}

QString HeaderLabel::text() const
{
    return m_label->text();
}
