#include "AmountText.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace AmountText {

bool parseAmount(const QString &text, qlonglong *amount)
{
    // One sign at most, before or after the dollar sign; groups of exactly
    // three digits after the first, so that 4.500 or 4,50 are never read as
    // some other amount.
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([-+]?)\\s*(\\$?)\\s*([-+]?)([0-9]{1,3}(?:,[0-9]{3})+|[0-9]+)\\s*$"));
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        *amount = 0;
        return true;
    }
    const QRegularExpressionMatch match = pattern.match(trimmed);
    if (!match.hasMatch())
        return false;
    const QString before = match.captured(1);
    const QString after = match.captured(3);
    if (!before.isEmpty() && !after.isEmpty())
        return false;
    QString digits = match.captured(4);
    digits.remove(QLatin1Char(','));
    bool ok = false;
    const qlonglong value = (before + after + digits).toLongLong(&ok, 10);
    if (!ok)
        return false;
    *amount = value;
    return true;
}

bool isPartialAmount(const QString &text)
{
    static const QRegularExpression start(QStringLiteral("^\\s*(?:[-+]\\s*\\$?|\\$\\s*[-+]?)?\\s*$"));
    return start.match(text).hasMatch();
}

QString invalidToolTip()
{
    return QCoreApplication::translate(
        "AmountText", "Whole dollars only, such as 4500, 4,500 or $4,500, with a leading minus if negative");
}

QString negativeToolTip()
{
    return QCoreApplication::translate("AmountText", "Cannot be negative: the amount before stays");
}

} // namespace AmountText
