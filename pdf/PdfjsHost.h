#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QMap>
#include <QString>
#include <QUrl>

class QWidget;

// A court form to show: where it is, the window title, the file name
// proposed when it is saved, and the values set in its fields before it
// shows (field name -> text).
struct PdfjsForm {
    QUrl url;
    QString title;
    QString proposedName;
    QMap<QString, QString> fields;
};

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
    // Save, Discard or Cancel for a form with entries not saved.
    enum CloseAnswer { SaveEntries, DiscardEntries, KeepOpen };
    virtual CloseAnswer askBeforeClose(QWidget *parent, const QString &title, const QString &text) = 0;

    // The print dialog. A printer that prints to a PDF file gives the file
    // (the filled form is then written there as it is); a real printer is
    // kept for printImages.
    enum PrintChoice { PrintCancelled, PrintToPrinter, PrintToPdfFile };
    virtual PrintChoice choosePrinter(QWidget *parent, QString *pdfFile) = 0;
    // One image per page, on the printer chosen last.
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

// The module's entry points, looked up by these names.
// Opens the viewer window on `form` and returns true, or false when it
// cannot be set up. The window is kept after its first use, hidden on
// close, so that the next form opens at once.
using OpenPdfjsViewerFunction = bool (*)(PdfjsHost *host, QWidget *parent, const PdfjsForm &form);
#define ORVA_PDFJS_ENTRY "orvaOpenPdfjsViewer"
// The same viewer without a window on screen: `pdf` receives the filled
// form as saving it would write it; false with the reason otherwise.
using FillPdfjsFormFunction = bool (*)(PdfjsHost *host, const PdfjsForm &form, QByteArray *pdf, QString *error);
#define ORVA_PDFJS_FILL_ENTRY "orvaFillPdfjsForm"
