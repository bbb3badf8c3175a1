#include "app/project_file.h"
#include "durability_records.h"
#include "support/temp_folder.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace hm {
namespace {

QByteArray bytesOf(const COM_BINREC& r) {
  const RecordBytes b = serialiseRecord(r);
  return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

// A program killed while it saves leaves one whole record, the old one or the new one.
TEST(Durability, KilledWhileStoringLeavesOneWholeRecord) {
  test::TempFolder dir;
  const QString path = dir.file(QStringLiteral("wall.dat"));
  ProjectFile().create(path, test::recordA());
  const QByteArray a = bytesOf(test::recordA());
  const QByteArray b = bytesOf(test::recordB());
  for (int round = 0; round < 12; ++round) {
    QProcess loop;
    loop.start(QStringLiteral(STORE_LOOP_PROGRAM), {path});
    ASSERT_TRUE(loop.waitForStarted(5000));
    ASSERT_TRUE(loop.waitForReadyRead(10000)) << "the store loop never started storing";
    QThread::msleep(QRandomGenerator::global()->bounded(1, 60));
    ::kill(static_cast<pid_t>(loop.processId()), SIGKILL);
    ASSERT_TRUE(loop.waitForFinished(5000));
    const QByteArray content = dir.read(QStringLiteral("wall.dat"));
    ASSERT_EQ(content.size(), 520) << "round " << round;
    EXPECT_TRUE(content == a || content == b) << "round " << round << ": a mixture of records";
  }
}

}  // namespace
}  // namespace hm
