#include "RecentDocuments.h"

#include "SafeFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_WIN
#include <shlobj.h>
#else
#include <QDomDocument>
#endif

namespace Platform {

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

QString recentlyUsedFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("recently-used.xbel"));
}

#ifdef Q_OS_WIN

bool addRecentDocument(const QString &path, QString *)
{
    const std::wstring native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdWString();
    SHAddToRecentDocs(SHARD_PATHW, native.c_str());
    return true;
}

#else

namespace {

constexpr qint64 LargestList = 16 * 1024 * 1024;

QString xbelTime(const QDateTime &time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz000Z"));
}

QString mimeTypeOf(const QString &path)
{
    if (path.endsWith(QLatin1String(".calc"), Qt::CaseInsensitive))
        return QStringLiteral("application/x-orvacalc-alimony");
    return QStringLiteral("application/x-orvacalc-case");
}

QDomElement bookmarkFor(QDomDocument &xbel, const QString &href, const QString &path, const QString &now)
{
    QDomElement bookmark = xbel.createElement(QStringLiteral("bookmark"));
    bookmark.setAttribute(QStringLiteral("href"), href);
    bookmark.setAttribute(QStringLiteral("added"), now);
    QDomElement info = xbel.createElement(QStringLiteral("info"));
    QDomElement metadata = xbel.createElement(QStringLiteral("metadata"));
    metadata.setAttribute(QStringLiteral("owner"), QStringLiteral("http://freedesktop.org"));
    QDomElement mime = xbel.createElement(QStringLiteral("mime:mime-type"));
    mime.setAttribute(QStringLiteral("type"), mimeTypeOf(path));
    QDomElement applications = xbel.createElement(QStringLiteral("bookmark:applications"));
    QDomElement application = xbel.createElement(QStringLiteral("bookmark:application"));
    application.setAttribute(QStringLiteral("name"), QStringLiteral("Orva-Calc"));
    application.setAttribute(QStringLiteral("exec"), QStringLiteral("'orvacalc %u'"));
    application.setAttribute(QStringLiteral("count"), QStringLiteral("0"));
    applications.appendChild(application);
    metadata.appendChild(mime);
    metadata.appendChild(applications);
    info.appendChild(metadata);
    bookmark.appendChild(info);
    return bookmark;
}

} // namespace

bool addRecentDocument(const QString &path, QString *error)
{
    const QString listPath = recentlyUsedFile();
    QDomDocument xbel;
    QFile file(listPath);
    if (file.exists()) {
        if (!QFileInfo(listPath).isFile() || file.size() > LargestList)
            return fail(error, QStringLiteral("not a list of recent files: %1").arg(listPath));
        if (!file.open(QIODevice::ReadOnly))
            return fail(error, file.errorString());
        if (!xbel.setContent(file.readAll()) || xbel.documentElement().tagName() != QLatin1String("xbel"))
            return fail(error, QStringLiteral("not a list of recent files: %1").arg(listPath));
    } else {
        xbel.setContent(QByteArrayLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<xbel version=\"1.0\" xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\" "
            "xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"/>"));
    }

    const QString href = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    const QString now = xbelTime(QDateTime::currentDateTimeUtc());
    QDomElement root = xbel.documentElement();
    QDomElement bookmark;
    for (QDomElement each = root.firstChildElement(QStringLiteral("bookmark")); !each.isNull();
         each = each.nextSiblingElement(QStringLiteral("bookmark"))) {
        if (each.attribute(QStringLiteral("href")) == href)
            bookmark = each;
    }
    if (bookmark.isNull())
        bookmark = root.appendChild(bookmarkFor(xbel, href, path, now)).toElement();
    bookmark.setAttribute(QStringLiteral("modified"), now);
    bookmark.setAttribute(QStringLiteral("visited"), now);

    // Ours, added now or by an earlier use: its count and time follow.
    QDomElement application;
    const QDomNodeList applications = bookmark.elementsByTagName(QStringLiteral("bookmark:application"));
    for (int i = 0; i < applications.size(); ++i) {
        if (applications.at(i).toElement().attribute(QStringLiteral("name")) == QLatin1String("Orva-Calc"))
            application = applications.at(i).toElement();
    }
    if (!application.isNull()) {
        application.setAttribute(QStringLiteral("modified"), now);
        application.setAttribute(QStringLiteral("count"),
                                 application.attribute(QStringLiteral("count")).toInt() + 1);
    }

    QDir().mkpath(QFileInfo(listPath).absolutePath());
    return writeFileSafely(listPath, xbel.toByteArray(2), error);
}

#endif

} // namespace Platform
