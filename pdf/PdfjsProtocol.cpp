#include "PdfjsProtocol.h"

#include <QDir>
#include <QFileInfo>
#include <QUrlQuery>

namespace PdfjsProtocol {

QUrl viewerUrl()
{
    return QUrl(QStringLiteral("qrc:/PDFJS/web/viewer.html"));
}

QUrl formUrl(const QString &resourceFile)
{
    return QUrl(QStringLiteral("qrc:///PDFJS/resourses/%1").arg(resourceFile));
}

QString openScript(const QUrl &form)
{
    return QStringLiteral("PDFViewerApplication.open('%1')").arg(form.toString());
}

QString installProxyScript()
{
    return QStringLiteral("\nnew QWebChannel(qt.webChannelTransport, function(channel){\n"
                          "    window.printProxy = channel.objects.printProxy;\n"
                          "});\n'ok';\n");
}

QString printScript()
{
    // Pages are rendered one after the other into one canvas at four times
    // their size, with the values typed into the form (annotation mode 3).
    return QStringLiteral(
        "\n(function () {\n"
        "    var canvas = document.createElement('canvas');\n"
        "    var context = canvas.getContext('2d');\n"
        "    var pages = [];\n"
        "    var pageNumber = 1;\n"
        "    var pdf = PDFViewerApplication.pdfDocument;\n"
        "    function renderPage() {\n"
        "        pdf.getPage(pageNumber).then(function (page) {\n"
        "            var viewport = page.getViewport({ scale: 4.0 });\n"
        "            canvas.width = viewport.width;\n"
        "            canvas.height = viewport.height;\n"
        "            return page.render({ canvasContext: context, viewport: viewport,\n"
        "                                 intent: 'print', annotationMode: 3 }).promise;\n"
        "        }).then(function () {\n"
        "            pages.push(canvas.toDataURL());\n"
        "            if (pageNumber < pdf.numPages) {\n"
        "                ++pageNumber;\n"
        "                renderPage();\n"
        "            } else {\n"
        "                window.tempdata = pages;\n"
        "                window.printProxy.printData(window.tempdata.length);\n"
        "            }\n"
        "        });\n"
        "    }\n"
        "    renderPage();\n"
        "})();\n"
        "'PDFViewerApplication.pdfDocument.saveDocument';\n");
}

QString saveScript(const QString &intent)
{
    return QStringLiteral("\n\nPDFViewerApplication.pdfDocument.saveDocument("
                          "PDFViewerApplication.pdfDocument.annotationStorage)\n"
                          "   .then( data => {\n"
                          "        window.tempdata = data\n"
                          "        window.printProxy.saveAsPdf(window.tempdata.length, '%1')\n"
                          "    });\n"
                          "'PDFViewerApplication.pdfDocument.saveDocument';\n\n")
               .arg(intent)
        + QString(16, QLatin1Char(' '));
}

QString proposedSaveName(const QString &folder, const QString &proposedName, const QDateTime &when)
{
    // Qt 6 formats month names in English whatever the user's locale.
    const QString stem = QFileInfo(proposedName).completeBaseName();
    const QString name = QStringLiteral("%1_%2.pdf").arg(stem, when.toString(QStringLiteral("ddMMM_yyyy_hh_mm_ss")));
    return QDir(folder).filePath(name);
}

QString mailSubject(const QString &proposedName)
{
    return QStringLiteral("Form Returned: %1").arg(proposedName);
}

QUrl mailtoFallback(const QString &subject, const QString &body, const QString &attachment)
{
    QUrlQuery query;
    query.addQueryItem(QString(), QString());
    query.addQueryItem(QStringLiteral("subject"), subject);
    query.addQueryItem(QStringLiteral("body"), body);
    query.addQueryItem(QStringLiteral("attachment"), QUrl::fromLocalFile(attachment).toString());
    QUrl url(QStringLiteral("mailto:"));
    url.setQuery(query);
    return url;
}

QList<QImage> imagesFromDataUrls(const QStringList &dataUrls)
{
    QList<QImage> images;
    images.reserve(dataUrls.size());
    for (const QString &text : dataUrls) {
        const QStringList parts = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
        QImage image;
        if (parts.size() >= 2)
            image.loadFromData(QByteArray::fromBase64(parts.at(1).toLatin1()));
        images << image;
    }
    return images;
}

QString oneLine(const QString &script)
{
    QString line = script;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

} // namespace PdfjsProtocol
