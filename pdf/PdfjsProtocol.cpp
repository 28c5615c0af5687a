#include "PdfjsProtocol.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
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

QString formScript()
{
    // The entries count as saved while the annotation storage holds what it
    // held when a file was last written: a form filled from the case and
    // never saved is unsaved, as is one typed into since.
    return QStringLiteral(R"JS(
(function () {
    if (window.orvaForm)
        return 'ok';
    var channel = new Promise(function (resolve) {
        new QWebChannel(qt.webChannelTransport, function (ch) {
            window.printProxy = ch.objects.printProxy;
            resolve();
        });
    });
    var savedHash = null;
    var savingHash = null;
    var settled = Promise.resolve(); // the last close, which open must wait for
    // One worker for every form, started with the page: a form's own worker
    // would be stopped with the form and started again for the next.
    pdfjsLib.GlobalWorkerOptions.workerSrc =
        pdfjsLib.GlobalWorkerOptions.workerSrc || PDFViewerApplicationOptions.get('workerSrc');
    var worker = new pdfjsLib.PDFWorker();
    function app() { return window.PDFViewerApplication; }
    function storage() { return app().pdfDocument ? app().pdfDocument.annotationStorage : null; }
    function pages(visible) {
        var container = document.getElementById('viewerContainer');
        if (container)
            container.style.visibility = visible ? '' : 'hidden';
    }
    // The viewer's own close would first save a form with entries as a
    // download; the program asks about unsaved entries itself.
    function closeQuietly() {
        app()._annotationStorageModified = false;
        return app().close();
    }
    function report(text) { channel.then(function () { window.printProxy.formReady(text); }); }
    window.orvaForm = {
        ready: false,
        open: function (url, values) {
            window.orvaForm.ready = false;
            savedHash = null;
            pages(false);
            return settled.then(function () {
                return app().initializedPromise;
            }).then(function () {
                return closeQuietly();
            }).then(function () {
                return app().open(url, { worker: worker });
            }).then(function () {
                return app().pdfDocument.getFieldObjects();
            }).then(function (fields) {
                var store = storage();
                var missing = [];
                Object.keys(values).forEach(function (name) {
                    var widgets = fields && fields[name];
                    if (!widgets) {
                        missing.push(name);
                        return;
                    }
                    widgets.forEach(function (widget) {
                        store.setValue(widget.id, { value: values[name] });
                        var element = document.getElementById(widget.id);
                        if (element)
                            element.value = values[name];
                    });
                });
                pages(true);
                window.orvaForm.ready = true;
                report(missing.join(','));
            }).catch(function (error) {
                pages(true);
                report('!' + error);
            });
        },
        unsaved: function () {
            var store = storage();
            return !!store && store.size > 0 && store.hash !== savedHash;
        },
        rememberSave: function () { savingHash = storage() ? storage().hash : null; },
        markSaved: function () { savedHash = savingHash; },
        close: function () {
            window.orvaForm.ready = false;
            savedHash = null;
            pages(false);
            settled = settled.then(closeQuietly);
            return settled;
        }
    };
    return 'ok';
})();
)JS");
}

QString openFormScript(const QUrl &form, const QMap<QString, QString> &fields)
{
    QJsonObject values;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        values.insert(it.key(), it.value());
    // JSON texts are script literals: nothing in a name or value can end them.
    const QByteArray url = QJsonDocument(QJsonObject{{QStringLiteral("u"), form.toString()}}).toJson(QJsonDocument::Compact);
    return QStringLiteral("window.orvaForm.open(%1.u, %2); 'opening';")
        .arg(QString::fromUtf8(url), QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact)));
}

QString unsavedScript()
{
    return QStringLiteral("!!window.orvaForm && window.orvaForm.unsaved();");
}

QString rememberSaveScript()
{
    return QStringLiteral("window.orvaForm && window.orvaForm.rememberSave(); 0;");
}

QString markSavedScript()
{
    return QStringLiteral("window.orvaForm && window.orvaForm.markSaved(); 0;");
}

QString closeFormScript()
{
    return QStringLiteral("window.orvaForm && window.orvaForm.close(); 0;");
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
