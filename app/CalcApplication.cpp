#include "CalcApplication.h"

#include "AlimonyCommand.h"
#include "MainWindow.h"
#include "Platform.h"
#include "ScaleDecision.h"
#include "WorksheetCommand.h"
#include "resources.h"

#include <QCommandLineParser>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QTextStream>

#include <cstdio>
#include <memory>

CalcApplication::CalcApplication(int &argc, char **argv, float scale)
    : QApplication(argc, argv)
    , m_scale(scale)
{
    OrvaResources::registerAll();

    QString styleSheet;
    QFile sheetFile(QStringLiteral(":/stylesheets/orva.qss"));
    if (sheetFile.open(QIODevice::ReadOnly | QIODevice::Text))
        styleSheet = QString::fromUtf8(sheetFile.readAll());

    QFont font = QApplication::font();
    const ScaleDecision::FontScale fontScale = ScaleDecision::fontForScale(m_scale);
    font.setPixelSize(fontScale.fontPixelSize);
    if (fontScale.scaled) {
        styleSheet = ScaleDecision::scaledStyleSheet(styleSheet, fontScale);
        qDebug() << "CalcApplication::CalcApplication"
                 << "scale" << m_scale << "font size" << fontScale.fontPixelSize << "px"
                 << "edit size" << fontScale.editHeight << "px";
    }
    QApplication::setFont(font);
    setStyleSheet(styleSheet);

    setOrganizationName(QStringLiteral("Pellwood"));
    setOrganizationDomain(QStringLiteral("pellwood.example"));
    setApplicationName(QStringLiteral("Orva-Calc"));
    setApplicationVersion(QStringLiteral(ORVA_VERSION_TEXT));
}

CalcApplication::~CalcApplication() = default;

bool CalcApplication::event(QEvent *event)
{
    return QApplication::event(event);
}

int CalcApplication::run()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Orva-Calc Professional: Maryland child support guidelines"));
    parser.addHelpOption();
    const QCommandLineOption importOption(QStringLiteral("importold"),
                                          QStringLiteral("Copy the user files installed with the program into "
                                                         "the shared documents folder, then exit."));
    const QCommandLineOption scaleOption(QStringLiteral("scale"), QStringLiteral("scale factor"), QStringLiteral("1"));
    parser.addOption(importOption);
    parser.addOption(scaleOption);
    WorksheetCommand::addOptions(parser);
    AlimonyCommand::addOptions(parser);
    parser.process(arguments()); // an unknown option ends the process with exit code 1

    // A worksheet from the command line: no window and no update check.
    if (WorksheetCommand::isSet(parser))
        return WorksheetCommand::run(parser);
    if (AlimonyCommand::isSet(parser))
        return AlimonyCommand::run(parser);

    // Installers call the copy as a plain word, without dashes, as well.
    if (parser.isSet(importOption) || parser.positionalArguments().contains(QLatin1String("importold")))
        return importOldFiles();

    if (m_noDisplay) {
        std::fputs("orvacalc: there is no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY "
                   "is set).\nWithout a display, write the worksheet of a case with:\n"
                   "  orvacalc --worksheet-pdf OUT.pdf CASE.cml\n",
                   stderr);
        return 1;
    }

    // TODO(update check): the start-up update check and its dialog run here,
    // before the main window, once the update service exists.

    auto window = std::make_unique<MainWindow>();
    m_mainWindow = window.get();
    window->showNormal();
    const int result = exec();
    m_mainWindow = nullptr;
    return result;
}

int CalcApplication::importOldFiles()
{
    const QString source = applicationDirPath() + QDir::separator() + QStringLiteral("userfiles");
    const QString destination = Platform::sharedDocumentsFolder() + QDir::separator() + QStringLiteral("ORVA");
    QDir().mkpath(destination);
    const bool copied = copyDirectory(source, destination, false);
    qDebug() << "CalcApplication::importOldFiles" << source << "->" << destination << "copied:" << copied;
    return 0;
}

bool CalcApplication::copyDirectory(const QString &source, const QString &destination, bool overwrite)
{
    const QString from = source + QDir::separator();
    const QString to = destination + QDir::separator();
    const QDir sourceDir(source);

    const QStringList files = sourceDir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString &name : files) {
        const QString target = to + name;
        if (QFile::exists(target)) {
            if (!overwrite)
                continue;
            if (!QFile::remove(target))
                return false;
        }
        if (!QFile::copy(from + name, target))
            return false;
    }

    const QStringList folders = sourceDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks, QDir::Unsorted);
    for (const QString &name : folders) {
        const QString target = to + name;
        if (!QDir().mkpath(target))
            return false;
        if (!copyDirectory(from + name, target, overwrite))
            return false;
    }
    return true;
}
