#pragma once

#include "app/com_state.h"
#include "app/settings_store.h"
#include "support/error_log.h"
#include "support/fake_services.h"
#include "support/local_http_server.h"
#include "support/temp_folder.h"
#include "update/update_check.h"

#include <QAction>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>

#include <sodium.h>

#include <gtest/gtest.h>

namespace hm::test {

// An update source on 127.0.0.1 and a work folder of the test's own; the running version is
// 4.25.1017.1553 unless a test says otherwise.
class UpdateFixture : public ::testing::Test {
 protected:
  UpdateFixture() {
    setSettingsFolder(settings.path());
    fakes.environment.values[QStringLiteral("TMP")] = tmp.path();
    fakes.environment.values[QStringLiteral("HOLLOWMERE_UPDATE_URL")] =
        server.base() + QStringLiteral("updates/");
    COM_APPVERSION = QStringLiteral("4.25.1017.1553");
    DefineErrLog();
    ERRFILENAME.clear();
    app = appNameFromPath(QCoreApplication::applicationFilePath());
    app.chop(1);
  }
  ~UpdateFixture() override {
    ERRLOG.clear();
    ERRFILENAME.clear();
  }

  // Where the source keeps a file of this program.
  QString sourcePath(const QString& file) const {
    return QStringLiteral("/updates/") + app + QStringLiteral("/refs/heads/main/") + file;
  }
  void publish(const QByteArray& versionFile) {
    server.serve(sourcePath(app + QStringLiteral(".txt")), versionFile);
  }
  QString workFolder() const {
    const QString sep = QDir::separator();
    return tmp.path() + sep + QStringLiteral("Quorvale") + sep + app + sep;
  }
  bool check() { return InitAll(&miUpdate) && FindUpdate(&miUpdate); }
  QStringList logged() const {
    QStringList out;
    for (const QString& e : ERRLOG) out << e.mid(17);  // without the time stamp
    return out;
  }

  FakeServices fakes;
  TempFolder settings;
  TempFolder tmp;
  LocalHttpServer server;
  QAction miUpdate;
  QString app;
};

// An Ed25519 key pair made for the test, and signatures with it.
struct SigningKey {
  unsigned char pk[crypto_sign_PUBLICKEYBYTES];
  unsigned char sk[crypto_sign_SECRETKEYBYTES];
  SigningKey() {
    EXPECT_GE(sodium_init(), 0);
    crypto_sign_keypair(pk, sk);
  }
  QString publicKey() const {
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(pk), sizeof pk).toBase64());
  }
  QByteArray sign(const QByteArray& data) const {
    unsigned char sig[crypto_sign_BYTES];
    crypto_sign_detached(sig, nullptr, reinterpret_cast<const unsigned char*>(data.constData()),
                         static_cast<unsigned long long>(data.size()), sk);
    return QByteArray(reinterpret_cast<const char*>(sig), sizeof sig).toBase64();
  }
};

}  // namespace hm::test
