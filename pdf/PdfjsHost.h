#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QUrl>

class QWidget;

// What the form viewer needs from the program around it. The viewer is a
// module loaded on first use (so the web engine costs nothing before a form
// is opened); everything with state of its own (the answer and desktop
// seams, printing, mail) stays in the program and is reached through here.
class PdfjsHost
{
public:
    virtual ~PdfjsHost() = default;

    // The save dialog; empty when cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &proposed,
                                 const QString &filter) = 0;
    virtual void critical(QWidget *parent, const QString &title, const QString &text) = 0;
    virtual void warning(QWidget *parent, const QString &title, const QString &text) = 0;

    // One image per page, after a print dialog.
    virtual bool printImages(const QList<QImage> &images) = 0;
    // Where the copy for the mail program goes in the temporary folder;
    // empty (with the reason) when there is no safe place.
    virtual QString temporaryCopyPath(const QString &name, QString *error) = 0;
    // Whole-file write that keeps an earlier file when it fails.
    virtual bool writeFile(const QString &path, const QByteArray &data, QString *error) = 0;

    virtual bool canOpenWithAcrobat() = 0;
    virtual bool openInAcrobat(const QString &fileName) = 0;
    virtual bool sendToMail(const QString &subject, const QString &body, const QString &attachment) = 0;
    virtual bool openUrl(const QUrl &url) = 0;
};

// The module's one entry point, looked up by this name: opens the viewer
// window on `url` and returns true, or false when it cannot be set up.
using OpenPdfjsViewerFunction = bool (*)(PdfjsHost *host, QWidget *parent, const QUrl &url, const QString &title,
                                         const QString &proposedName);
#define ORVA_PDFJS_ENTRY "orvaOpenPdfjsViewer"
