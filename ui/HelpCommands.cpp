#include "HelpCommands.h"

#include "AboutDialog.h"
#include "Ask.h"
#include "Deployment.h"
#include "Desktop.h"
#include "Help.h"
#include "PdfPreviewDialog.h"
#include "UpdateDialog.h"
#include "UpdateService.h"
#include "WarningsPresenter.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

HelpCommands::HelpCommands(QWidget *window, WarningsPresenter *warnings)
    : m_window(window)
    , m_warnings(warnings)
{
}

QString HelpCommands::besideProgram(const QString &fileName)
{
    return QDir::cleanPath(
        QFileInfo(QCoreApplication::applicationDirPath() + QLatin1Char('/') + fileName).absoluteFilePath());
}

QString HelpCommands::helpFilePath()
{
    return besideProgram(QStringLiteral("ORVA_CALC.chm"));
}

QString HelpCommands::faqFilePath()
{
    return besideProgram(QStringLiteral("FAQ.pdf"));
}

QString HelpCommands::manualPagePath(const QString &page)
{
    return besideProgram(QStringLiteral("manual/") + page);
}

QUrl HelpCommands::supportMailUrl()
{
    QUrl url(QStringLiteral("mailto:") + QLatin1String(Deployment::supportAddress));
    url.setQuery(QStringLiteral("subject=Question&body=Place Question here."));
    return url;
}

void HelpCommands::openManualPage(const QString &page)
{
    // The same manual as HTML pages, for a desktop without a help viewer.
    const QString path = manualPagePath(page);
    if (!QFileInfo::exists(path) || !Platform::openUrl(QUrl::fromLocalFile(path)))
        Ask::warning(m_window, tr("ORVA Calc"),
                     tr("The manual could not be opened:\n%1").arg(QDir::toNativeSeparators(path)));
}

void HelpCommands::contents()
{
    m_warnings->hideBalloons();
    if (!Platform::openHelpFile(helpFilePath()))
        openManualPage(QStringLiteral("index.html"));
}

void HelpCommands::search()
{
    m_warnings->hideBalloons();
    if (!Platform::openWithDefaultProgram(helpFilePath()))
        openManualPage(QStringLiteral("keywords.html"));
}

void HelpCommands::emailSupport()
{
    m_warnings->hideBalloons();
    Platform::openUrl(supportMailUrl());
}

void HelpCommands::faq()
{
    m_warnings->hideBalloons();
    const QString path = faqFilePath();
    qDebug() << "MainWindow::on_actionFAQ_triggered" << path;
    PdfPreviewDialog preview(path);
    preview.exec();
}

void HelpCommands::openWebsite()
{
    m_warnings->hideBalloons();
    const QMessageBox::StandardButton answer =
        Ask::question(m_window, tr("ORVA Calc"),
                      tr("You will be navigated to %1 website").arg(QLatin1String(Deployment::websiteHost)),
                      QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    if (answer == QMessageBox::Ok)
        Platform::openUrl(QUrl(QLatin1String(Deployment::websiteAddress)));
}

void HelpCommands::checkForUpdates()
{
    m_warnings->hideBalloons();
    // The dialog runs the check under the wait cursor while it is built.
    UpdateService service;
    Updates::UpdateDialog dialog(Updates::UpdateDialog::InteractiveMode, &service, m_window);
    dialog.exec();
    // This window was closed for an installer that now replaces the program.
    if (dialog.programMustEnd())
        QCoreApplication::exit(0);
}

void HelpCommands::about()
{
    m_warnings->hideBalloons();
    AboutDialog dialog;
    dialog.exec();
}
