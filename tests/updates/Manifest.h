#pragma once
// Builds update manifests for the tests: versions meant for this installation
// unless a test says otherwise.

#include "UpdateService.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace OrvaTest {

inline QJsonObject manifestVersion(const QString &code, const QString &description = QString(),
                                   const QStringList &channels = {QStringLiteral("stable")},
                                   QStringList osCodes = {})
{
    if (osCodes.isEmpty())
        osCodes << UpdateService::currentOsCode();
    return QJsonObject{
        {"code", code},
        {"name", "Orva-Calc " + code},
        {"description", description.isEmpty() ? "Release " + code : description},
        {"url", "http://127.0.0.1:9/orvacalc-" + code + ".exe"},
        {"date", "2024-05-01"},
        {"os-codes", QJsonArray::fromStringList(osCodes)},
        {"channels", QJsonArray::fromStringList(channels)},
    };
}

inline QJsonObject manifestProduct(const QList<QJsonObject> &versions,
                                   const QString &code = QStringLiteral("orvacalc-pro-win"))
{
    QJsonArray list;
    for (const QJsonObject &version : versions)
        list.append(version);
    return QJsonObject{{"code", code}, {"name", "Orva-Calc Professional"}, {"versions", list}};
}

inline QByteArray manifestJson(const QList<QJsonObject> &products)
{
    QJsonArray list;
    for (const QJsonObject &product : products)
        list.append(product);
    return QJsonDocument(QJsonObject{{"products", list}}).toJson(QJsonDocument::Compact);
}

inline QByteArray manifestOf(const QList<QJsonObject> &versions)
{
    return manifestJson({manifestProduct(versions)});
}

} // namespace OrvaTest
