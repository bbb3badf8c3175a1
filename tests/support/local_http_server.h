#pragma once

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

#include <functional>

namespace hm::test {

// A small HTTP server on 127.0.0.1 inside the test, serving canned replies by path. It answers
// from the event loop that the download itself runs, so it needs no thread of its own.
class LocalHttpServer : public QObject {
 public:
  struct Reply {
    int status = 200;
    QByteArray body;
    bool never = false;  // read the request, then say nothing at all
  };

  LocalHttpServer();
  // "http://127.0.0.1:<port>/"
  QString base() const;
  // Serves `reply` for the decoded request path (e.g. "/app/refs/heads/main/app.txt"); any other
  // path is answered with 404.
  void serve(const QString& path, const Reply& reply);
  void serve(const QString& path, const QByteArray& body) { serve(path, Reply{200, body, false}); }

  // The decoded paths asked for, in order.
  QStringList requests;
  // Runs when a request has arrived, before it is answered.
  std::function<void(const QString& path)> onRequest;

 private:
  void answer(class QTcpSocket* socket, const QByteArray& head);

  QTcpServer server_;
  QMap<QString, Reply> replies_;
};

// A port on 127.0.0.1 where nothing listens: connections to it are refused.
quint16 closedPort();

}  // namespace hm::test
