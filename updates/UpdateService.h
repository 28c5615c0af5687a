#pragma once

#include <QByteArray>
#include <QDate>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <array>

class QWidget;

// A version number of four parts: major, minor, patch, build.
using VersionNumber = std::array<int, 4>;

// One version object of the update manifest.
struct UpdateVersion {
    QString code;        // "16.2.25.400"
    QString name;
    QString description; // shown to the user
    QString url;         // installer download address
    QDate date;          // invalid when absent or not "yyyy-MM-dd"
    QStringList osCodes;
    QStringList channels;
    QString sha256;      // installer checksum in hex; empty: not given
};

// Asks the update server's manifest whether a newer version of this program
// exists for its product, update channel and operating system. One instance
// serves one check: the start-up check or the one the user asks for.
class UpdateService
{
public:
    // Settings keys.
    static const QString ChannelKey;        // "update-channel"
    static const QString SkippedVersionsKey; // "update-skipped-versions"
    static const QString HostKey;           // "update-host": host[:port] of the update server
    static const QString StartupCheckKey;   // "update-check-at-startup": false skips the start-up check

    static const QString DefaultHost;
    static const QString ProductCode;

    // Reads the settings and the operating system; no network access.
    UpdateService();
    UpdateService(const UpdateService &) = delete;
    UpdateService &operator=(const UpdateService &) = delete;

    // Runs one check. An interactive check forgets the skipped versions
    // (stored and loaded) and offers every newer version.
    void check(bool interactive);

    // What the manifest's bytes offer this installation: the steps of a
    // check after the reply has arrived, with the channel, system, installed
    // and skipped versions of this instance.
    struct ManifestOffer {
        bool error = false;
        QString errorText;
        QString errorDetails;
        bool found = false;
        UpdateVersion update;
    };
    ManifestOffer readManifest(const QByteArray &body, bool interactive) const;

    // Remembers `code` as skipped by the start-up check. False when the
    // settings store could not be written.
    bool skipVersion(const QString &code);

    // The start-up check: logs the outcome, or offers a found update in the
    // update dialog. Returns false when an installer was started from there
    // and the program must end instead of opening its window.
    bool runStartupCheck(QWidget *dialogParent = nullptr);

    QString channel() const { return m_channel; }
    QString productCode() const { return ProductCode; }
    QString osCode() const { return m_osCode; }
    VersionNumber installedVersion() const { return m_installedVersion; }
    QUrl manifestUrl() const { return m_manifestUrl; }
    bool error() const { return m_error; }
    bool updateAvailable() const { return m_updateAvailable; }
    const UpdateVersion &update() const { return m_update; }
    QStringList skippedVersions() const { return m_skippedVersions; }
    QString errorText() const { return m_errorText; }
    QString errorDetails() const { return m_errorDetails; }

    // The operating-system code for a Windows version ("win10", ..., "unknown").
    static QString osCodeFor(int major, int minor);
    // The code of the running system; "unknown" off Windows.
    static QString currentOsCode();

    // Manifest address on the server named by `host` ("host" or "host:port");
    // an invalid URL when the setting does not name a plain host.
    static QUrl manifestUrlFor(const QString &host);

    // Four decimal parts, each fitting an int; false for anything else.
    static bool parseVersion(const QString &code, VersionNumber *version);
    // The running build's version, from the one build constant.
    static VersionNumber buildVersion();
    // "16.02.24.0319" for 16.2.24.319.
    static QString displayVersion(const VersionNumber &version);
    // A manifest code in display form; a part it lacks or cannot be read is
    // taken from `fallback`.
    static QString displayCode(const QString &code, const VersionNumber &fallback);

    // Reads one version object of the manifest.
    static UpdateVersion readVersion(const QJsonObject &object);

private:
    bool fetchManifest(QByteArray *body);
    bool isCandidate(const UpdateVersion &version, bool interactive, VersionNumber *number) const;
    void fail(const QString &text, const QString &details);

    QString m_channel;
    QString m_osCode;
    VersionNumber m_installedVersion{};
    QUrl m_manifestUrl;
    QString m_host;
    bool m_error = false;
    bool m_updateAvailable = false;
    UpdateVersion m_update;
    QStringList m_skippedVersions;
    QString m_errorText;
    QString m_errorDetails;
};
