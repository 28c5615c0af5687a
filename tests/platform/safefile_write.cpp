// Writes a file through the safe writer, for tests that run the writer as
// a program of its own (under a preloaded library):
//   safefile_write TARGET TEXT
// Exit code 0 when written; 1 with the reason on standard error otherwise.
#include "SafeFile.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    QString error;
    if (Platform::writeFileSafely(QString::fromLocal8Bit(argv[1]), QByteArray(argv[2]), &error))
        return 0;
    std::fputs(error.toLocal8Bit().constData(), stderr);
    return 1;
}
