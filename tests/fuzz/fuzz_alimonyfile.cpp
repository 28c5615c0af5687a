// libFuzzer target for the alimony file. Every input is written to a file and
// read as the calculator opens it; an input that opens is recalculated and
// saved as the calculator saves it (the bytes it writes, kept in memory:
// the safe writer has its own tests), and the saved bytes must open with the
// same nine inputs.
#include "AlimonyFile.h"
#include "AlimonyFormulas.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

void silence(QtMsgType, const QMessageLogContext &, const QString &) {}

QString scratch(const char *name)
{
    static const QString folder = [] {
        const QString dir = QDir::tempPath() + QStringLiteral("/orva-fuzz-alimony-%1").arg(getpid());
        QDir().mkpath(dir);
        return dir;
    }();
    return folder + QLatin1Char('/') + QLatin1String(name);
}


} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(silence), true);
    (void)quiet;

    const QString input = scratch("input.calc");
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    QByteArray bytes;
    QMap<QString, QString> inputs;
    if (!Alimony::readFile(input, &bytes) || !Alimony::readInputs(bytes, &inputs))
        return 0;

    Alimony::Inputs numbers;
    numbers.years = inputs.value(QStringLiteral("years"));
    numbers.payorGross = inputs.value(QStringLiteral("payorgross"));
    numbers.payeeGross = inputs.value(QStringLiteral("payeegross"));
    numbers.upward = inputs.value(QStringLiteral("payordeviationO"));
    numbers.downward = inputs.value(QStringLiteral("payeedeviationO"));
    QMap<QString, QString> texts = Alimony::recalculate(numbers);
    texts.insert(inputs);

    QMap<QString, QString> again;
    if (!Alimony::readInputs(Alimony::fileBytes(texts), &again) || again != inputs)
        std::abort();
    return 0;
}
