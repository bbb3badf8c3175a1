// What a user's click costs in the real windows (offscreen): each must fit well inside a frame.
#include "app/com_state.h"
#include "app/project_file.h"
#include "app/settings_store.h"
#include "app/tfm_main.h"
#include "layout/row_bars.h"
#include "layout/tfm_layout.h"
#include "platform/services.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Answers every box at once, so a benchmark never waits for a person.
class SilentDialogs final : public hm::Dialogs {
 public:
  void message(const QString&) override {}
  bool confirm(const QString&) override { return false; }
  int question(const QString&, const QString&, const QStringList&, int) override { return -1; }
  void warning(const QString&, const QString&) override {}
  hm::ErrorBoxChoice errorBox(const QString&, const QString&) override {
    return hm::ErrorBoxChoice::Ok;
  }
  std::optional<QString> chooseFolder(const QString&) override { return std::nullopt; }
  void beep() override {}
};

QTemporaryDir& folder() {
  static QTemporaryDir dir;
  return dir;
}

void BM_RowBars(benchmark::State& state) {
  hm::BinRows rows{};
  for (auto& row : rows) row = {12, 12.5f, 6, 3.25f, 8, 8, 8, 8, 10.015625f, 4};
  for (auto _ : state) benchmark::DoNotOptimize(hm::computeRowBars(rows, 440.0f));
}
BENCHMARK(BM_RowBars);

void BM_LayoutApplyRow(benchmark::State& state) {
  hm::COM_PRJFILE = folder().filePath(QStringLiteral("bench.dat"));
  hm::BlankRecord(hm::COM_BINDATA);
  hm::ProjectFile().create(hm::COM_PRJFILE, hm::COM_BINDATA);
  hm::Tfm_Layout layout;
  layout.show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    layout.edValues->setText(QStringLiteral("12, 12 1/2, 6, 3 1/4, 8, 8, 8, 8, 10 1/64, 4"));
    layout.ApplyClick(3);
    layout.PanelClick(3);
  }
  layout.close();
}
BENCHMARK(BM_LayoutApplyRow)->Unit(benchmark::kMicrosecond);

void BM_ProjectListOf200(benchmark::State& state) {
  hm::COM_BINREC record;
  hm::BlankRecord(record);
  const QString data = folder().filePath(QStringLiteral("data"));
  QDir().mkpath(data);
  for (int i = 0; i < 200; ++i) {
    hm::ProjectFile().create(hm::projectFilePath(data, QStringLiteral("wall%1").arg(i)), record);
  }
  hm::TfmMain window;
  hm::COM_PATH = data;
  for (auto _ : state) window.LoadProjects();
}
BENCHMARK(BM_ProjectListOf200)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Hollowmere"));
  static SilentDialogs dialogs;
  hm::services().dialogs = &dialogs;
  hm::installQtServices();
  hm::setSettingsFolder(folder().filePath(QStringLiteral("settings")));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
