#pragma once

// HelpCommands: the Help, FAQ, Updates/Renew and Trial Custody Calendar
// menus. The help file (or the same manual as HTML pages where the desktop
// has no help viewer), the FAQ, a message to support, the companion website,
// the update check and the about box.

#include <QObject>
#include <QString>

class QUrl;
class QWidget;
class WarningsPresenter;

class HelpCommands : public QObject
{
    Q_OBJECT

public:
    HelpCommands(QWidget *window, WarningsPresenter *warnings);

    void contents();
    void search();
    void emailSupport();
    void faq();
    void openWebsite();
    void checkForUpdates();
    void about();

    // Documents installed beside the program: the compiled help, its HTML
    // pages (for desktops without a help viewer) and the FAQ.
    static QString besideProgram(const QString &fileName);
    static QString helpFilePath();
    static QString manualPagePath(const QString &page);
    static QString faqFilePath();
    // The new message to support that Email Support starts.
    static QUrl supportMailUrl();

private:
    void openManualPage(const QString &page);

    QWidget *m_window;
    WarningsPresenter *m_warnings;
};
