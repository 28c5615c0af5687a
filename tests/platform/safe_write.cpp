// Saves one file with the safe writer, for the rows that kill a save at a
// single call (KillAt.h):
//   safe_write TARGET SOURCE   writes the bytes of SOURCE to TARGET
//   safe_write --finish        finishes the rewrites cut off before
// Exit code 0 when done, 1 with the reason on standard error.
#include "SafeFile.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tst_safefile")); // the suite's journal folder
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.value(1) == QLatin1String("--finish")) {
        for (const QString &sentence : Platform::finishInterruptedRewrites())
            std::printf("%s\n", qPrintable(sentence));
        return 0;
    }
    QFile source(arguments.value(2));
    QString error = QStringLiteral("cannot read the source");
    if (source.open(QIODevice::ReadOnly) && Platform::writeFileSafely(arguments.value(1), source.readAll(), &error))
        return 0;
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
}
