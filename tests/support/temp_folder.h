#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hm::test {

// A fresh folder for one test, removed afterwards, with small helpers for real files in it.
class TempFolder {
 public:
  TempFolder() { EXPECT_TRUE(dir_.isValid()); }
  QString path() const { return QDir::toNativeSeparators(dir_.path()); }
  QString file(const QString& name) const { return dir_.filePath(name); }

  void write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
  }
  QByteArray read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace hm::test
