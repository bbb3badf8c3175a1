#include "app/project_file.h"
#include "measure/tape.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_EditTapeText(benchmark::State& state) {
  const char* entries[] = {"12", "12 1/2", "3.015625", "10/4", "1 1/3", "-0.5"};
  for (auto _ : state) {
    for (const char* e : entries) benchmark::DoNotOptimize(hm::editTapeText(e));
  }
  state.SetItemsProcessed(state.iterations() * 6);
}
BENCHMARK(BM_EditTapeText);

void BM_FloatToFraction(benchmark::State& state) {
  float v = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(hm::FloatToFraction(v));
    v += 1.0f / 64.0f;
    if (v > 100.0f) v = 0;
  }
}
BENCHMARK(BM_FloatToFraction);

void BM_RecordLoadStore(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bench.dat"));
  hm::COM_BINREC record;
  hm::BlankRecord(record);
  hm::ProjectFile file;
  file.create(path, record);
  file.open(path);
  for (auto _ : state) {
    file.load(record);
    record.COM_BINVALS[0][0] += 1.0f;
    file.store(record);
  }
  file.close();
}
BENCHMARK(BM_RecordLoadStore);

}  // namespace

BENCHMARK_MAIN();
