#include "resources.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QResource>
#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initBundles()
{
    Q_INIT_RESOURCE(stylesheets);
    Q_INIT_RESOURCE(layouts);
    Q_INIT_RESOURCE(images);
}

namespace OrvaResources {

void registerAll()
{
    initBundles();
    registerViewerFile();
}

bool registerViewerFile()
{
    static bool registered = false;
    if (registered || !QCoreApplication::instance())
        return registered;
    // The file is mapped, not read: registering costs nothing until a form
    // is opened. Without it the form commands show their notice.
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("pdfjs.rcc"));
    registered = QResource::registerResource(path);
    if (!registered)
        qDebug() << "OrvaResources: no form viewer resources at" << path;
    return registered;
}

} // namespace OrvaResources
