#include "AlimonyFormulas.h"

#include "AmountText.h"

#include <QCoreApplication>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace Alimony {

namespace {

// The formula rows as the deviation passes know them. Only some have fields;
// the others are looked up and skipped, as every name is adjusted by lookup.
const char *const DeviationRows[] = {"MBA", "old", "Ginsburg", "Scandurra", "AAML", "Arizona",
                                     "CA",  "KS",  "PA",       "TX",        "VA"};

// std::to_chars writes as printf does in the C locale, whatever the user's
// locale says about decimal points.
QString formatted(double value, std::chars_format format, int precision)
{
    if (value == 0.0)
        value = 0.0; // no "-0"
    char buffer[64];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    if (result.ec != std::errc())
        return QStringLiteral("0");
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

// The result fields while one recalculation runs, by name.
class Fields
{
public:
    bool has(const QString &name) const { return m_texts.contains(name); }
    double value(const QString &name) const { return numberValue(m_texts.value(name)); }
    void setAmount(const QString &name, double value) { m_texts.insert(name, amountText(value)); }
    void setDuration(const QString &name, double value) { m_texts.insert(name, durationText(value)); }
    void setText(const QString &name, const QString &text) { m_texts.insert(name, text); }
    void add(const QString &name, double delta)
    {
        if (has(name))
            setAmount(name, value(name) + delta);
    }
    QMap<QString, QString> texts() const { return m_texts; }

private:
    QMap<QString, QString> m_texts;
};

// One formula row: its order, then what each spouse keeps of the incomes.
void setRow(Fields &fields, const QString &row, double order, double payor, double payee)
{
    fields.setAmount(row + QLatin1String("a"), order);
    fields.setAmount(row + QLatin1String("h"), roundAnnual(payor - order));
    fields.setAmount(row + QLatin1String("w"), roundAnnual(order + payee));
}

void aamlDuration(Fields &fields, double years)
{
    if (years > 19.94) {
        fields.setText(QStringLiteral("AAMm"), QStringLiteral("permanent"));
        fields.setText(QStringLiteral("AAMy"), QStringLiteral("permanent"));
        return;
    }
    double factor = 0.75;
    if (years < 3)
        factor = 0.3;
    else if (years < 10)
        factor = 0.5;
    fields.setDuration(QStringLiteral("AAMy"), factor * years);
    fields.setDuration(QStringLiteral("AAMm"), factor * years * 12);
}

// Tex. Fam. Code 8.054(a)(1): the longest order by the years of marriage.
double texasMonths(double years)
{
    if (years < 10)
        return 0;
    if (years < 20)
        return 60;
    if (years < 30)
        return 84;
    return 120;
}

void applyDeviations(Fields &fields, double upward, double downward)
{
    for (const char *row : DeviationRows) {
        const QString id = QString::fromLatin1(row);
        fields.add(id + QLatin1String("a"), 12 * upward);
        fields.add(id + QLatin1String("wk"), upward);
        fields.add(id + QLatin1String("h"), -12 * upward);
        fields.add(id + QLatin1String("w"), 12 * upward);
    }
    // The downward pass moves only the orders; the incomes keep the upward pass.
    for (const char *row : DeviationRows) {
        const QString id = QString::fromLatin1(row);
        fields.add(id + QLatin1String("a"), -12 * downward);
        fields.add(id + QLatin1String("wk"), -downward);
    }
}

} // namespace

double numberValue(const QString &text, bool *valid)
{
    if (valid)
        *valid = true;
    if (text.isEmpty())
        return 0.0;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (ok && std::isfinite(value))
        return value;
    if (valid)
        *valid = false;
    return 0.0;
}

double amountValue(const QString &text, bool *valid)
{
    qlonglong amount = 0;
    const bool ok = AmountText::parseAmount(text, &amount);
    if (valid)
        *valid = ok;
    return ok ? static_cast<double>(amount) : 0.0;
}

QString virginiaNote(const Inputs &inputs)
{
    if (amountValue(inputs.payorGross) + amountValue(inputs.payeeGross) <= VirginiaCombinedLimit)
        return {};
    return QCoreApplication::translate("Alimony",
                                       "The combined income exceeds $10,000 a month: Va. Code § 16.1-278.17:1(C) "
                                       "does not apply, and this figure is for comparison only.");
}

bool isPartialNumber(const QString &text)
{
    static const QStringList partial = {QStringLiteral("-"), QStringLiteral("+"), QStringLiteral("."),
                                        QStringLiteral("-."), QStringLiteral("+.")};
    return partial.contains(text.trimmed());
}

QString amountText(double value)
{
    return formatted(value, std::chars_format::general, 6);
}

QString durationText(double value)
{
    return formatted(value, std::chars_format::fixed, 1);
}

double roundAnnual(double value)
{
    return std::floor(std::max(0.0, value) + 0.5);
}

const QStringList &resultNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const char *row : {"AAML", "VA", "Arizona", "TX"})
            for (const char *suffix : {"a", "wk", "h", "w"})
                list << QString::fromLatin1(row) + QString::fromLatin1(suffix);
        list << QStringLiteral("AAMm") << QStringLiteral("AAMy") << QStringLiteral("TXm") << QStringLiteral("TXy");
        return list;
    }();
    return names;
}

QMap<QString, QString> recalculate(const Inputs &inputs)
{
    const double y = numberValue(inputs.years);
    const double p = amountValue(inputs.payorGross);
    const double e = amountValue(inputs.payeeGross);
    Fields fields;

    setRow(fields, QStringLiteral("AAML"), roundAnnual(std::min(0.4 * (p + e) - e, 0.3 * p - 0.2 * e)), p, e);

    const double arizona = (e < 0.75 * p && y >= 5) ? (p - e) * std::min(0.015 * y, 0.5) : 0.0;
    setRow(fields, QStringLiteral("Arizona"), roundAnnual(arizona), p, e);

    // Tex. Fam. Code 8.055(a): the lesser of $5,000 a month and 20 % of the
    // payor's average monthly gross income, here a year's worth of each.
    const double texas = y >= 10 ? std::min(60000.0, 0.2 * p) : 0.0;
    setRow(fields, QStringLiteral("TX"), roundAnnual(texas), p, e);

    // Va. Code 16.1-278.17:1(C), parties with no minor children in common.
    setRow(fields, QStringLiteral("VA"), roundAnnual(0.27 * p - 0.5 * e), p, e);

    aamlDuration(fields, y);
    const double months = texasMonths(y);
    fields.setDuration(QStringLiteral("TXm"), months);
    fields.setDuration(QStringLiteral("TXy"), months / 12);

    for (const char *row : {"AAML", "Arizona", "VA", "TX"}) {
        const QString id = QString::fromLatin1(row);
        fields.setAmount(id + QLatin1String("wk"), std::floor(fields.value(id + QLatin1String("a")) / 12));
    }

    applyDeviations(fields, amountValue(inputs.upward), amountValue(inputs.downward));
    return fields.texts();
}

} // namespace Alimony
