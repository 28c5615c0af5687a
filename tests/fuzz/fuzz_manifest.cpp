// libFuzzer target for the update manifest: the reply's bytes go through the
// same reading as a check's, and what it offers must be an update this
// installation may take.
#include "UpdateService.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

namespace {

void silence(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(silence), true);
    (void)quiet;
    static const UpdateService service;

    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const bool interactive : {false, true}) {
        const UpdateService::ManifestOffer offer = service.readManifest(body, interactive);
        if (offer.error != !offer.errorText.isEmpty() || (offer.error && offer.found))
            std::abort();
        if (!offer.found)
            continue;
        VersionNumber number{};
        if (!UpdateService::parseVersion(offer.update.code, &number) || !(number > service.installedVersion())
            || !offer.update.channels.contains(service.channel()) || !offer.update.osCodes.contains(service.osCode()))
            std::abort();
    }
    return 0;
}
