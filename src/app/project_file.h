#pragma once

#include "project_record.h"

#include <QFile>
#include <QString>

namespace hm {

// A project file: one 520-byte record at offset 0. Every operation checks what the OS did and
// throws IoError naming the reason and the file; bytes after the record are never touched.
class ProjectFile {
 public:
  // Creates (or replaces) the file with `record` as its only content, and closes it again.
  void create(const QString& path, const COM_BINREC& record);
  // Opens an existing file for reading and writing.
  void open(const QString& path);
  void load(COM_BINREC& record);
  void store(const COM_BINREC& record);
  void storeAndClose(const COM_BINREC& record);
  // Closes without writing; nothing happens when the file is not open.
  void close();
  bool isOpen() const { return file_.isOpen(); }
  QString path() const { return file_.fileName(); }

  // Deletes a project file; false when the OS refused.
  static bool remove(const QString& path);

 private:
  void writeRecord(QFile& file, const COM_BINREC& record);
  // Fails when the path no longer names the file that was opened (it was removed, or another file
  // or a folder took its place): a record written now would go where nobody finds it again.
  void checkStillAtPath();
  QFile file_;
  // Which file was opened: its device and inode (outside Windows, where an open file cannot be
  // removed).
  unsigned long long device_ = 0;
  unsigned long long inode_ = 0;
};

}  // namespace hm
