#pragma once

#include "app/project_record.h"

namespace hm::test {

// Two records that differ in every width and text, so a mixture of them is easy to see.
inline COM_BINREC recordA() {
  COM_BINREC r;
  BlankRecord(r);
  for (auto& row : r.COM_BINVALS) row.fill(1.0f);
  r.COM_BINMAT = "AAAAAAAAAAAAAAAAAAAA";
  return r;
}

inline COM_BINREC recordB() {
  COM_BINREC r;
  BlankRecord(r);
  for (auto& row : r.COM_BINVALS) row.fill(2.5f);
  r.COM_BINMAT = "BB";
  r.COM_BATMAT = "Oak";
  return r;
}

}  // namespace hm::test
