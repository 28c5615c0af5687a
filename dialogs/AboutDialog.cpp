#include "AboutDialog.h"

#include "DialogFlags.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QSysInfo>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(tr("About"));
    resize(445, 175);
    setModal(true);

    auto *layout = new QHBoxLayout(this);
    layout->setObjectName(QStringLiteral("horizontalLayout"));
    m_logoLabel = new QLabel(this);
    m_logoLabel->setObjectName(QStringLiteral("logoLabel"));
    m_logoLabel->setPixmap(QPixmap(QStringLiteral(":/images/logo_128.png")));
    m_logoLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_logoLabel);

    auto *column = new QVBoxLayout;
    column->setObjectName(QStringLiteral("verticalLayout"));
    m_infoLabel = new QLabel(this);
    m_infoLabel->setObjectName(QStringLiteral("infoLabel"));
    m_infoLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_infoLabel->setTextFormat(Qt::PlainText);
    m_infoLabel->setText(infoText());
    column->addWidget(m_infoLabel);
    m_buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    m_buttonBox->setObjectName(QStringLiteral("buttonBox"));
    column->addWidget(m_buttonBox);
    layout->addLayout(column, 1);

    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    OrvaDialogs::setCommonWindowFlags(this);
}

QString AboutDialog::infoText()
{
    const QStringList lines = {
        QStringLiteral("ORVA-CALC"),
        tr("Version %1").arg(QStringLiteral(ORVA_VERSION_TEXT)),
        QString(),
        tr("Copyright \u00a9 2016-2024. All rights reserved."),
        QStringLiteral("Pellwood"),
        tr("Child Support Software, %2").arg(tr("Professional Version")),
        QString(),
        tr("OS info: %3 - %4").arg(QSysInfo::prettyProductName(), QSysInfo::currentCpuArchitecture()),
    };
    return lines.join(QLatin1Char('\n'));
}
