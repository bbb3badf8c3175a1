// Stores two different records into one project file, in turn, until it is killed.
// The durability test kills it at random moments and checks what the file holds.
#include "app/project_file.h"
#include "durability_records.h"

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const QString path = QString::fromLocal8Bit(argv[1]);
  const hm::COM_BINREC records[2] = {hm::test::recordA(), hm::test::recordB()};
  hm::ProjectFile file;
  hm::COM_BINREC loaded;
  for (unsigned long turn = 0;; ++turn) {
    file.open(path);
    file.load(loaded);
    file.storeAndClose(records[turn % 2]);
    if (turn == 0) {
      std::puts("storing");
      std::fflush(stdout);
    }
  }
}
