#include "project_file.h"

#include "platform/errors.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#endif

namespace hm {
namespace {

[[noreturn]] void fail(const QString& what, const QFile& file, const QString& reason) {
  throw IoError(QStringLiteral("%1 %2: %3")
                    .arg(what, QDir::toNativeSeparators(file.fileName()), reason)
                    .toStdString());
}

// Forces what was written onto the disk, so that "saved" survives a crash or a power cut.
void syncToDisk(QFile& file) {
#ifdef Q_OS_WIN
  if (_commit(file.handle()) != 0)
    fail(QStringLiteral("Cannot save"), file, QStringLiteral("flush failed"));
#elif defined(Q_OS_MACOS)
  if (::fsync(file.handle()) != 0)
    fail(QStringLiteral("Cannot save"), file, QString::fromLocal8Bit(std::strerror(errno)));
#else
  if (::fdatasync(file.handle()) != 0) {
    fail(QStringLiteral("Cannot save"), file, QString::fromLocal8Bit(std::strerror(errno)));
  }
#endif
}

void seekStart(QFile& file) {
  if (!file.seek(0)) fail(QStringLiteral("Cannot position in"), file, file.errorString());
}

}  // namespace

void ProjectFile::writeRecord(QFile& file, const COM_BINREC& record) {
  const RecordBytes bytes = serialiseRecord(record);
  seekStart(file);
  const qint64 written = file.write(reinterpret_cast<const char*>(bytes.data()), kRecordSize);
  if (written != static_cast<qint64>(kRecordSize) || !file.flush()) {
    fail(QStringLiteral("Cannot write"), file, file.errorString());
  }
}

void ProjectFile::create(const QString& path, const COM_BINREC& record) {
  close();
  QFile file(path);
  const bool existed = file.exists();
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
    fail(QStringLiteral("Cannot create"), file, file.errorString());
  }
  try {
    writeRecord(file, record);
    syncToDisk(file);
  } catch (...) {
    // A file made here that never got its record (a full disk) would pass for a project, and
    // its name could not be used again.
    file.close();
    if (!existed) file.remove();
    throw;
  }
  file.close();
  if (file.error() != QFileDevice::NoError) {
    fail(QStringLiteral("Cannot close"), file, file.errorString());
  }
}

void ProjectFile::open(const QString& path) {
  close();
  file_.setFileName(path);
  // ExistingOnly: opening never creates a project that the folder does not hold.
  if (!file_.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered)) {
    fail(QStringLiteral("Cannot open"), file_, file_.errorString());
  }
#ifndef Q_OS_WIN
  struct stat opened {};
  if (::fstat(file_.handle(), &opened) != 0) {
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    file_.close();
    fail(QStringLiteral("Cannot open"), file_, reason);
  }
  device_ = opened.st_dev;
  inode_ = opened.st_ino;
#endif
}

void ProjectFile::checkStillAtPath() {
#ifndef Q_OS_WIN
  struct stat now {};
  if (::stat(QFile::encodeName(file_.fileName()).constData(), &now) != 0 || now.st_dev != device_ ||
      now.st_ino != inode_) {
    fail(QStringLiteral("Cannot write"), file_,
         QStringLiteral("the file has been removed or replaced since it was opened"));
  }
#endif
}

void ProjectFile::load(COM_BINREC& record) {
  if (!file_.isOpen())
    fail(QStringLiteral("Cannot read"), file_, QStringLiteral("the file is not open"));
  seekStart(file_);
  RecordBytes bytes{};
  const qint64 got = file_.read(reinterpret_cast<char*>(bytes.data()), kRecordSize);
  if (got < 0) fail(QStringLiteral("Cannot read"), file_, file_.errorString());
  if (got != static_cast<qint64>(kRecordSize)) {
    fail(QStringLiteral("Cannot read"), file_,
         QStringLiteral("the file is shorter than one project record (%1 of %2 bytes)")
             .arg(got)
             .arg(kRecordSize));
  }
  record = deserialiseRecord(bytes);
  seekStart(file_);
}

void ProjectFile::store(const COM_BINREC& record) {
  if (!file_.isOpen())
    fail(QStringLiteral("Cannot write"), file_, QStringLiteral("the file is not open"));
  checkStillAtPath();
  writeRecord(file_, record);
  seekStart(file_);
}

void ProjectFile::storeAndClose(const COM_BINREC& record) {
  if (!file_.isOpen())
    fail(QStringLiteral("Cannot write"), file_, QStringLiteral("the file is not open"));
  checkStillAtPath();
  writeRecord(file_, record);
  syncToDisk(file_);
  file_.close();
  if (file_.error() != QFileDevice::NoError) {
    fail(QStringLiteral("Cannot close"), file_, file_.errorString());
  }
}

void ProjectFile::close() {
  if (file_.isOpen()) file_.close();
}

bool ProjectFile::remove(const QString& path) { return QFile::remove(path); }

}  // namespace hm
