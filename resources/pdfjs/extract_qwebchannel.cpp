// Writes Qt's web-channel client script (kept inside the QtWebChannel
// library) to the file named on the command line.

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QWebChannel>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: extract_qwebchannel OUTPUT.js\n", stderr);
        return 1;
    }
    QWebChannel channel; // keeps the library, and so its resources, linked
    QFile script(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!script.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "extract_qwebchannel: %s\n", qPrintable(script.errorString()));
        return 2;
    }
    QSaveFile output(QString::fromLocal8Bit(argv[1]));
    const QByteArray text = script.readAll();
    if (text.isEmpty() || !output.open(QIODevice::WriteOnly) || output.write(text) != text.size() || !output.commit()) {
        std::fprintf(stderr, "extract_qwebchannel: %s: %s\n", argv[1], qPrintable(output.errorString()));
        return 2;
    }
    return 0;
}
