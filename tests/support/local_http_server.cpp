#include "local_http_server.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QUrl>

#include <gtest/gtest.h>

namespace hm::test {

LocalHttpServer::LocalHttpServer() {
  EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, 0));
  connect(&server_, &QTcpServer::newConnection, this, [this] {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      socket->setParent(this);
      auto* head = new QByteArray;
      connect(socket, &QObject::destroyed, [head] { delete head; });
      connect(socket, &QTcpSocket::readyRead, this, [this, socket, head] {
        if (head->contains("\r\n\r\n")) return;  // answered already
        *head += socket->readAll();
        if (head->contains("\r\n\r\n")) answer(socket, *head);
      });
    }
  });
}

QString LocalHttpServer::base() const {
  return QStringLiteral("http://127.0.0.1:%1/").arg(server_.serverPort());
}

void LocalHttpServer::serve(const QString& path, const Reply& reply) { replies_[path] = reply; }

void LocalHttpServer::answer(QTcpSocket* socket, const QByteArray& head) {
  const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
  const QString path =
      requestLine.size() >= 2 ? QUrl::fromPercentEncoding(requestLine[1]) : QString();
  requests << path;
  if (onRequest) onRequest(path);
  const auto it = replies_.constFind(path);
  const Reply reply = it != replies_.constEnd() ? *it : Reply{404, "not here", false};
  if (reply.never) return;
  QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + " Canned\r\n" +
                   "Content-Type: application/octet-stream\r\nContent-Length: " +
                   QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n";
  out += reply.body;
  socket->write(out);
  socket->disconnectFromHost();
}

quint16 closedPort() {
  QTcpServer probe;
  EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
  const quint16 port = probe.serverPort();
  probe.close();
  return port;
}

}  // namespace hm::test
