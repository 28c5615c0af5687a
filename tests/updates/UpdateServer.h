#pragma once
// A small HTTP/1.1 server on 127.0.0.1 that the update tests start: it
// answers GET requests from a table of paths (the manifest, an installer, a
// slow reply, a 404 for anything else) and records every request.

#include <QApplication>
#include <QByteArray>
#include <QCursor>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace OrvaTest {

class UpdateServer
{
public:
    struct Route {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "application/json";
        int delayMs = 0;      // before the first byte of the answer
        int chunkSize = 0;    // 0: the body in one piece
        int chunkDelayMs = 0; // between pieces
        qint64 announcedLength = -1; // Content-Length; -1: the body's, more: the server hangs up early
    };
    struct Request {
        QByteArray method;
        QByteArray path;
        QHash<QByteArray, QByteArray> headers; // names in lower case
        bool waitCursor = false;               // the client showed the wait cursor meanwhile
    };

    UpdateServer()
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { accept(); });
    }

    bool listen() { return m_server.listen(QHostAddress::LocalHost); }
    void close() { m_server.close(); }
    quint16 port() const { return m_server.serverPort(); }
    // The value of the update-host setting that points here.
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(port()); }
    QString url(const QString &path) const { return QStringLiteral("http://%1%2").arg(host(), path); }

    void route(const QByteArray &path, const Route &answer) { m_routes.insert(path, answer); }
    void manifest(const QByteArray &json) { route("/mac/update.json", Route{200, json, "application/json"}); }

    QList<Request> requests;
    int connections = 0;
    QList<QByteArray> closedPaths; // the path asked on each connection that has ended

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            ++connections;
            auto buffer = std::make_shared<QByteArray>();
            auto path = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket, path] {
                closedPaths << *path;
                socket->deleteLater();
            });
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer, path] {
                *buffer += socket->readAll();
                const int end = buffer->indexOf("\r\n\r\n");
                if (end < 0)
                    return;
                const QByteArray head = buffer->left(end);
                buffer->clear();
                const Request request = parse(head);
                *path = request.path;
                answer(socket, request);
            });
        }
    }

    static Request parse(const QByteArray &head)
    {
        Request request;
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.path = first.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const int colon = lines.at(i).indexOf(':');
            if (colon > 0)
                request.headers.insert(lines.at(i).left(colon).trimmed().toLower(), lines.at(i).mid(colon + 1).trimmed());
        }
        const QCursor *cursor = QApplication::overrideCursor();
        request.waitCursor = cursor && cursor->shape() == Qt::WaitCursor;
        return request;
    }

    void answer(QTcpSocket *socket, const Request &request)
    {
        requests << request;
        Route route;
        if (m_routes.contains(request.path))
            route = m_routes.value(request.path);
        else
            route = Route{404, "not here", "text/plain"};
        QPointer<QTcpSocket> guard(socket);
        QTimer::singleShot(route.delayMs, socket, [guard, route] {
            if (!guard)
                return;
            const QByteArray reason = route.status == 200 ? "OK" : route.status == 404 ? "Not Found" : "Error";
            guard->write("HTTP/1.1 " + QByteArray::number(route.status) + ' ' + reason + "\r\nContent-Type: "
                         + route.contentType + "\r\nContent-Length: "
                         + QByteArray::number(route.announcedLength >= 0 ? route.announcedLength : route.body.size())
                         + "\r\nConnection: close\r\n\r\n");
            send(guard, route, 0);
        });
    }

    static void send(QPointer<QTcpSocket> socket, const Route &route, qsizetype from)
    {
        if (!socket || socket->state() != QAbstractSocket::ConnectedState)
            return;
        const qsizetype size = route.chunkSize > 0 ? route.chunkSize : route.body.size();
        socket->write(route.body.mid(from, size));
        const qsizetype next = from + size;
        if (next >= route.body.size()) {
            socket->disconnectFromHost();
            return;
        }
        QTimer::singleShot(route.chunkDelayMs, socket, [socket, route, next] { send(socket, route, next); });
    }

    QTcpServer m_server;
    QHash<QByteArray, Route> m_routes;
};

} // namespace OrvaTest
