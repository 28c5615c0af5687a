#include "BirthDate.h"

#include <QRegularExpression>

namespace BirthDate {

namespace {

QDate dateOf(const QString &text, const QDate &on)
{
    static const QRegularExpression us(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4}|\\d{2})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    if (const QRegularExpressionMatch m = iso.match(text); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QRegularExpressionMatch m = us.match(text);
    if (!m.hasMatch())
        return {};
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2) {
        const int century = on.year() / 100 * 100;
        year += year + century <= on.year() ? century : century - 100;
    }
    return QDate(year, m.captured(1).toInt(), m.captured(2).toInt());
}

bool ageOf(const QString &text, int *age)
{
    static const QRegularExpression years(QStringLiteral("^(\\d{1,2})\\s*(?:years?|yrs?\\.?|y)?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = years.match(text);
    if (m.hasMatch())
        *age = m.captured(1).toInt();
    return m.hasMatch();
}

int yearsBetween(const QDate &birth, const QDate &on)
{
    int years = on.year() - birth.year();
    if (on.month() < birth.month() || (on.month() == birth.month() && on.day() < birth.day()))
        --years;
    return years;
}

} // namespace

Reading read(const QString &text, const QDate &on)
{
    const QString trimmed = text.trimmed();
    Reading reading;
    if (trimmed.isEmpty())
        return reading;
    if (ageOf(trimmed, &reading.age)) {
        reading.kind = Kind::Age;
        return reading;
    }
    const QDate birth = dateOf(trimmed, on);
    if (!birth.isValid()) {
        reading.kind = Kind::Invalid;
        return reading;
    }
    reading.kind = Kind::Date;
    reading.age = qMax(0, yearsBetween(birth, on));
    return reading;
}

bool isReadable(const QString &text)
{
    const Kind kind = read(text, QDate(2000, 1, 1)).kind;
    return kind == Kind::Date || kind == Kind::Age;
}

QDate worksheetDay(const QString &preparedDate, const QDate &today)
{
    const QDate day = dateOf(preparedDate.trimmed(), today);
    return day.isValid() ? day : today;
}

} // namespace BirthDate
