#include "RateConverter.h"

#include "AmountText.h"
#include "DialogFlags.h"
#include "FieldLook.h"

#include <QClipboard>
#include <QComboBox>
#include <QDebug>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>

#include <cmath>
#include <limits>

RateConverter::RateConverter(const QString &initialText, QWidget *parent)
    : QDialog(parent)
{
    setupUi();
    OrvaDialogs::setCommonWindowFlags(this);
    setWindowModality(Qt::ApplicationModal);

    if (initialText == standAloneText()) {
        // Copy runs after the accept that the form connected first.
        connect(m_pushButtonAccept, &QPushButton::clicked, this,
                [this] { QGuiApplication::clipboard()->setText(m_resultEdit->text()); });
        m_pushButtonAccept->setText(tr("Copy"));
        m_pushButtonReject->setText(tr("Close"));
        m_sourceEdit->setText(QString());
    } else {
        m_sourceEdit->setText(initialText);
    }

    m_sourceComboBox->setCurrentText(m_sourceEdit->text().isEmpty() ? tr("Yearly") : tr("Monthly"));
    convert();
}

void RateConverter::setupUi()
{
    setObjectName(QStringLiteral("RateConverter"));
    setWindowTitle(tr("Rate Converter"));
    resize(350, 120);

    auto *grid = new QGridLayout(this);
    grid->setObjectName(QStringLiteral("gridLayout"));

    m_sourceLabel = new QLabel(this);
    m_sourceLabel->setObjectName(QStringLiteral("sourceLabel"));
    m_sourceLabel->setTextFormat(Qt::PlainText);
    m_sourceLabel->setText(tr("Enter Payment and\nSelect Pay Period"));
    grid->addWidget(m_sourceLabel, 0, 0);
    grid->addItem(new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Minimum), 0, 1);

    m_resultLabel = new QLabel(this);
    m_resultLabel->setObjectName(QStringLiteral("resultLabel"));
    m_resultLabel->setTextFormat(Qt::RichText);
    m_resultLabel->setWordWrap(true);
    m_resultLabel->setText(tr("<b>Monthly </b>Equivalent"));
    grid->addWidget(m_resultLabel, 0, 2);

    m_sourceEdit = new QLineEdit(this);
    m_sourceEdit->setObjectName(QStringLiteral("sourceEdit"));
    grid->addWidget(m_sourceEdit, 1, 0);

    m_equalsLabel = new QLabel(QStringLiteral("="), this);
    m_equalsLabel->setObjectName(QStringLiteral("label"));
    m_equalsLabel->setAlignment(Qt::AlignCenter);
    grid->addWidget(m_equalsLabel, 1, 1);

    m_resultEdit = new QLineEdit(this);
    m_resultEdit->setObjectName(QStringLiteral("resultEdit"));
    grid->addWidget(m_resultEdit, 1, 2);

    m_sourceComboBox = new QComboBox(this);
    m_sourceComboBox->setObjectName(QStringLiteral("sourceComboBox"));
    m_sourceComboBox->addItems({tr("Monthly"), tr("Weekly"), tr("Biweekly"), tr("Bimonthly"), tr("Yearly"),
                                tr("75%"), tr("10%")});
    grid->addWidget(m_sourceComboBox, 2, 0);

    auto *buttons = new QHBoxLayout;
    buttons->setObjectName(QStringLiteral("horizontalLayout"));
    buttons->addItem(new QSpacerItem(0, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    m_pushButtonAccept = new QPushButton(tr("Set"), this);
    m_pushButtonAccept->setObjectName(QStringLiteral("pushButtonAccept"));
    m_pushButtonAccept->setAutoDefault(false);
    buttons->addWidget(m_pushButtonAccept);
    m_pushButtonReject = new QPushButton(tr("Cancel"), this);
    m_pushButtonReject->setObjectName(QStringLiteral("pushButtonReject"));
    m_pushButtonReject->setAutoDefault(false);
    buttons->addWidget(m_pushButtonReject);
    grid->addLayout(buttons, 2, 2);

    connect(m_pushButtonAccept, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pushButtonReject, &QPushButton::clicked, this, &QDialog::reject);
    QMetaObject::connectSlotsByName(this);
}

QString RateConverter::resultText() const
{
    return m_resultEdit->text();
}

qint64 RateConverter::monthlyAmount(qint32 amount, const QString &period)
{
    if (period == QLatin1String("Monthly"))
        return amount;

    const float n = static_cast<float>(amount);
    float m;
    if (period == QLatin1String("Weekly"))
        m = n * 4.33f;
    else if (period == QLatin1String("Biweekly"))
        m = n * 2.165f;
    else if (period == QLatin1String("Bimonthly"))
        m = n * 2.0f;
    else if (period == QLatin1String("Yearly"))
        m = n / 12.0f;
    else
        return 0;
    // std::llround rounds halves away from zero; the float is exact in double.
    return std::llround(static_cast<double>(m));
}

void RateConverter::convert()
{
    // Read as every amount field reads; text that is no amount (or beyond
    // the converter's range) counts as 0 and is marked so.
    const QString text = m_sourceEdit->text();
    qlonglong read = 0;
    const bool ok = AmountText::parseAmount(text, &read) && read >= std::numeric_limits<qint32>::min()
                    && read <= std::numeric_limits<qint32>::max();
    const qint32 amount = ok ? static_cast<qint32>(read) : 0;
    FieldLook::markInvalid(m_sourceEdit, !ok && !AmountText::isPartialAmount(text), AmountText::invalidToolTip());

    // The items are matched by their untranslated English names.
    QString period;
    const QString current = m_sourceComboBox->currentText();
    for (const char *name : {"Monthly", "Weekly", "Biweekly", "Bimonthly", "Yearly"}) {
        if (current == tr(name)) {
            period = QLatin1String(name);
            break;
        }
    }
    m_resultEdit->setText(QString::number(monthlyAmount(amount, period)));
}

void RateConverter::on_sourceEdit_returnPressed()
{
    accept();
}

void RateConverter::on_resultEdit_returnPressed()
{
    accept();
}

void RateConverter::on_sourceEdit_textEdited(const QString &value)
{
    qDebug() << "RateConverter: source text edited:" << value;
    convert();
}

void RateConverter::on_sourceComboBox_currentTextChanged(const QString &text)
{
    qDebug() << "RateConverter: selected item changed:" << text;
    convert();
}
