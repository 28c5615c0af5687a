#pragma once

#include <QBuffer>

namespace OrvaTest {

// A buffer that accepts `limit` bytes and then fails every write, as a full
// disk does part-way through a file.
class FailingDevice : public QBuffer
{
public:
    explicit FailingDevice(qint64 limit) : m_limit(limit) {}

protected:
    qint64 writeData(const char *data, qint64 length) override
    {
        const qint64 room = m_limit - size();
        if (room <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        return QBuffer::writeData(data, qMin(room, length));
    }

private:
    qint64 m_limit;
};

} // namespace OrvaTest
