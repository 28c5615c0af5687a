#pragma once

#include <QByteArray>
#include <QString>

// Writing a whole file so that a failure never costs the user the file that
// was there before: the previous file stays byte for byte unless the new one
// was completely written, flushed and committed.
namespace Platform {

// Writes `data` as the file `path`. False (with the reason in `error`, when
// given) if anything fails; the previous file, if any, is then unchanged.
bool writeFileSafely(const QString &path, const QByteArray &data, QString *error = nullptr);

} // namespace Platform
