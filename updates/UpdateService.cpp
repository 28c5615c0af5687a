#include "UpdateService.h"

#include "ReplyTimeout.h"
#include "UpdateDialog.h"
#include "UpdatesLog.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QOperatingSystemVersion>
#include <QSettings>

Q_LOGGING_CATEGORY(lcUpdates, "orva.updates")

const QString UpdateService::ChannelKey = QStringLiteral("update-channel");
const QString UpdateService::SkippedVersionsKey = QStringLiteral("update-skipped-versions");
const QString UpdateService::HostKey = QStringLiteral("update-host");
const QString UpdateService::StartupCheckKey = QStringLiteral("update-check-at-startup");
const QString UpdateService::DefaultHost = QStringLiteral("updates.pellwood.example");
const QString UpdateService::ProductCode = QStringLiteral("orvacalc-pro-win");

namespace {

const QString ConnectError = QStringLiteral("Error connecting to update server");
const QString ParseError = QStringLiteral("Error parsing server response");
const QString ProductsError = QStringLiteral("JSON does not contain 'products' key");

// A manifest is a few kilobytes; a server sending more is not giving one,
// and all of it would be held in memory until the watchdog fires.
constexpr qint64 MaxManifestBytes = 4 * 1024 * 1024;

QString stringMember(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    return value.isString() ? value.toString() : QString();
}

QStringList listMember(const QJsonObject &object, const QString &key)
{
    QStringList list;
    const QJsonValue value = object.value(key);
    if (!value.isArray())
        return list;
    const QJsonArray array = value.toArray();
    for (const QJsonValue &item : array)
        list << item.toString();
    return list;
}

// The settings store writes lazily: a failure shows only after sync().
bool syncSettings(QSettings &settings, const char *what)
{
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    qCCritical(lcUpdates) << "UpdateService: cannot write the settings:" << what << settings.fileName();
    return false;
}

} // namespace

UpdateService::UpdateService()
    : m_osCode(currentOsCode())
    , m_installedVersion(buildVersion())
{
    const QSettings settings;
    m_channel = settings.value(ChannelKey, QStringLiteral("stable")).toString();
    // An empty setting reads as one empty code: the first skip is stored
    // behind a leading ";".
    m_skippedVersions = settings.value(SkippedVersionsKey, QString()).toString().split(QLatin1Char(';'));
    m_host = settings.value(HostKey, QString()).toString().trimmed();
    if (m_host.isEmpty())
        m_host = DefaultHost;
    m_manifestUrl = manifestUrlFor(m_host);
}

void UpdateService::fail(const QString &text, const QString &details)
{
    m_error = true;
    m_errorText = text;
    m_errorDetails = details;
}

bool UpdateService::fetchManifest(QByteArray *body)
{
    if (!m_manifestUrl.isValid()) {
        fail(ConnectError, QStringLiteral("The update server \"%1\" is not a host name with an optional port.")
                               .arg(m_host));
        return false;
    }

    QNetworkAccessManager manager;
    manager.connectToHost(m_manifestUrl.host(), static_cast<quint16>(m_manifestUrl.port(80)));
    QNetworkRequest request(m_manifestUrl);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json; charset=utf-8"));
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("orva-calc-v1.0"));
    QNetworkReply *reply = manager.get(request);
    Updates::ReplyTimeout::set(reply);

    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    bool tooLarge = false;
    QObject::connect(reply, &QNetworkReply::downloadProgress, &loop, [reply, &tooLarge](qint64 received, qint64 total) {
        if (!tooLarge && (received > MaxManifestBytes || total > MaxManifestBytes)) {
            tooLarge = true;
            reply->abort();
        }
    });
    // The window stays painted but takes no input: a second command must not
    // start while this one waits.
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (tooLarge) {
        fail(ParseError, QStringLiteral("The response is larger than %1 bytes").arg(MaxManifestBytes));
        return false;
    }
    if (reply->error() != QNetworkReply::NoError) {
        fail(ConnectError, reply->errorString());
        return false;
    }
    *body = reply->readAll();
    return true;
}

void UpdateService::check(bool interactive)
{
    if (interactive) {
        QSettings settings;
        settings.remove(SkippedVersionsKey);
        syncSettings(settings, "removing the skipped versions");
        m_skippedVersions = QString().split(QLatin1Char(';'));
    }

    QByteArray body;
    if (!fetchManifest(&body))
        return;
    const ManifestOffer offer = readManifest(body, interactive);
    if (offer.error) {
        fail(offer.errorText, offer.errorDetails);
        return;
    }
    if (offer.found) {
        m_updateAvailable = true;
        m_update = offer.update;
    }
    m_error = false;
}

UpdateService::ManifestOffer UpdateService::readManifest(const QByteArray &body, bool interactive) const
{
    ManifestOffer offer;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        offer.error = true;
        offer.errorText = ParseError;
        offer.errorDetails = parseError.errorString();
        return offer;
    }
    const QJsonValue products = document.object().value(QStringLiteral("products"));
    if (!products.isArray()) {
        offer.error = true;
        offer.errorText = ProductsError;
        return offer;
    }

    // The greatest candidate of every matching product entry wins; of equal
    // versions the first listed stays.
    VersionNumber best{};
    const QJsonArray productList = products.toArray();
    for (const QJsonValue &productValue : productList) {
        const QJsonObject product = productValue.toObject();
        const QJsonValue versions = product.value(QStringLiteral("versions"));
        if (!product.contains(QStringLiteral("code")) || !versions.isArray())
            continue;
        if (stringMember(product, QStringLiteral("code")).compare(ProductCode, Qt::CaseInsensitive) != 0)
            continue;
        const QJsonArray versionList = versions.toArray();
        for (const QJsonValue &versionValue : versionList) {
            const QJsonObject object = versionValue.toObject();
            if (!object.contains(QStringLiteral("code")))
                continue;
            const UpdateVersion version = readVersion(object);
            VersionNumber number{};
            if (!isCandidate(version, interactive, &number))
                continue;
            if (!offer.found || number > best) {
                offer.found = true;
                best = number;
                offer.update = version;
            }
        }
    }
    return offer;
}

bool UpdateService::isCandidate(const UpdateVersion &version, bool interactive, VersionNumber *number) const
{
    // A code of another form has no order: such a version is never offered.
    if (!parseVersion(version.code, number)) {
        qCDebug(lcUpdates) << "UpdateService: version code not understood:" << version.code;
        return false;
    }
    // Without a link there is nothing to download: such a version is not offered.
    return *number > m_installedVersion && !version.url.trimmed().isEmpty() && version.channels.contains(m_channel)
        && version.osCodes.contains(m_osCode) && (interactive || !m_skippedVersions.contains(version.code));
}

bool UpdateService::skipVersion(const QString &code)
{
    m_skippedVersions << code;
    QSettings settings;
    settings.setValue(SkippedVersionsKey, m_skippedVersions.join(QLatin1Char(';')));
    return syncSettings(settings, "storing a skipped version");
}

bool UpdateService::runStartupCheck(QWidget *dialogParent)
{
    const QSettings settings;
    if (!settings.value(StartupCheckKey, true).toBool()) {
        qCInfo(lcUpdates).noquote() << "UpdateService: initial check: skipped," << StartupCheckKey << "is false";
        return true;
    }
    check(false);
    if (m_error) {
        qCInfo(lcUpdates).noquote() << "UpdateService: initial check: error:" << m_errorText
                                    << "details:" << m_errorDetails;
        return true;
    }
    if (m_updateAvailable) {
        Updates::UpdateDialog dialog(Updates::UpdateDialog::StartupMode, this, dialogParent);
        dialog.exec();
        return !dialog.programMustEnd();
    }
    qCInfo(lcUpdates) << "UpdateService: initial check: no updates available";
    return true;
}

QString UpdateService::osCodeFor(int major, int minor)
{
    if (major == 10)
        return QStringLiteral("win10");
    if (major == 6) {
        switch (minor) {
        case 3:
            return QStringLiteral("win8.1");
        case 2:
            return QStringLiteral("win8");
        case 1:
            return QStringLiteral("win7");
        case 0:
            return QStringLiteral("vista");
        default:
            break;
        }
    }
    if (major == 5 && (minor == 2 || minor == 1))
        return QStringLiteral("xp");
    if (major == 5 && minor == 0)
        return QStringLiteral("2000");
    return QStringLiteral("unknown");
}

QString UpdateService::currentOsCode()
{
    const QOperatingSystemVersion current = QOperatingSystemVersion::current();
    if (current.type() != QOperatingSystemVersion::Windows)
        return osCodeFor(-1, -1);
    return osCodeFor(current.majorVersion(), current.minorVersion());
}

QUrl UpdateService::manifestUrlFor(const QString &host)
{
    const QString trimmed = host.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QUrl url(QStringLiteral("http://") + trimmed + QStringLiteral("/mac/update.json"), QUrl::StrictMode);
    // Anything beyond host and port (a scheme, a path, user data) would
    // change where the manifest comes from.
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty() || url.hasQuery() || url.hasFragment()
        || url.path() != QLatin1String("/mac/update.json"))
        return {};
    return url;
}

bool UpdateService::parseVersion(const QString &code, VersionNumber *version)
{
    const QStringList parts = code.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    VersionNumber number{};
    for (int i = 0; i < 4; ++i) {
        const QString &part = parts.at(i);
        if (part.isEmpty())
            return false;
        for (const QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
        bool ok = false;
        number[i] = part.toInt(&ok);
        if (!ok)
            return false;
    }
    *version = number;
    return true;
}

VersionNumber UpdateService::buildVersion()
{
    VersionNumber version{};
    parseVersion(QStringLiteral(ORVA_VERSION_TEXT), &version);
    return version;
}

QString UpdateService::displayVersion(const VersionNumber &version)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(version[0], 2, 10, QLatin1Char('0'))
        .arg(version[1], 2, 10, QLatin1Char('0'))
        .arg(version[2], 2, 10, QLatin1Char('0'))
        .arg(version[3], 4, 10, QLatin1Char('0'));
}

QString UpdateService::displayCode(const QString &code, const VersionNumber &fallback)
{
    const QStringList parts = code.split(QLatin1Char('.'));
    VersionNumber number = fallback;
    for (int i = 0; i < 4 && i < parts.size(); ++i) {
        bool ok = false;
        const int value = parts.at(i).toInt(&ok);
        if (ok && value >= 0)
            number[i] = value;
    }
    return displayVersion(number);
}

UpdateVersion UpdateService::readVersion(const QJsonObject &object)
{
    UpdateVersion version;
    version.code = stringMember(object, QStringLiteral("code"));
    version.name = stringMember(object, QStringLiteral("name"));
    version.description = stringMember(object, QStringLiteral("description"));
    version.url = stringMember(object, QStringLiteral("url"));
    version.date = QDate::fromString(stringMember(object, QStringLiteral("date")), QStringLiteral("yyyy-MM-dd"));
    version.osCodes = listMember(object, QStringLiteral("os-codes"));
    version.channels = listMember(object, QStringLiteral("channels"));
    version.sha256 = stringMember(object, QStringLiteral("sha256")).trimmed();
    return version;
}
