#pragma once

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QUrl>

// The texts and conversions of the page-to-program protocol of the form
// viewer: the scripts run in the page, the names proposed for the filled
// form, the mail fallback address and the page images. Plain functions
// without state, built into the program and into the viewer module alike.
namespace PdfjsProtocol {

inline const QString SaveIntent = QStringLiteral("saveAsPDF");
inline const QString MailIntent = QStringLiteral("mailPDF");
inline const QString AcrobatIntent = QStringLiteral("openAcrobat");
// The filled form written into the PDF file a print dialog chose.
inline const QString PrintFileIntent = QStringLiteral("printToFile");
// The filled form handed back without a window (the command line).
inline const QString FillIntent = QStringLiteral("fillForm");

// Where the viewer page and the forms are served from.
QUrl viewerUrl();
QUrl formUrl(const QString &resourceFile);
inline const QString ChannelScriptResource = QStringLiteral(":/resourses/pdfjs/qwebchannel.js");

// Scripts run in the page.
QString openScript(const QUrl &form);
QString installProxyScript();
QString printScript();
QString saveScript(const QString &intent);

// The page's side of opening, filling and closing a form, run in the page
// before anything else: the web channel ("printProxy") and window.orvaForm.
QString formScript();
// Opens `form` in the viewer, hidden until `fields` (name -> text) are set;
// then the page calls printProxy.formReady.
QString openFormScript(const QUrl &form, const QMap<QString, QString> &fields);
// True when the form holds entries not written to a file since it opened.
QString unsavedScript();
// Before a save: the entries the coming file will hold; after it was
// written: they are the saved ones.
QString rememberSaveScript();
QString markSavedScript();
// The form is put away: its document and entries are dropped.
QString closeFormScript();

// "Short-Form-Financial.pdf" at 7 March 2024 15:05:09 in `folder`:
// folder/Short-Form-Financial_07Mar_2024_15_05_09.pdf.
QString proposedSaveName(const QString &folder, const QString &proposedName, const QDateTime &when);

inline const QString MailBody =
    QStringLiteral("The attached file is the filled-out form. Please open it to review the data.");
QString mailSubject(const QString &proposedName);
// The "mailto:" address used when the mail program cannot be reached.
QUrl mailtoFallback(const QString &subject, const QString &body, const QString &attachment);

// Page images from data-URL texts; a text that is not an image becomes an
// empty image, so the page count stays right.
QList<QImage> imagesFromDataUrls(const QStringList &dataUrls);

// A script text with its line feeds turned into blanks, for one log line.
QString oneLine(const QString &script);

} // namespace PdfjsProtocol
