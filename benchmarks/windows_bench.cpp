// What a user's click costs in the real windows (offscreen): each must fit well inside a frame.
#include "app/com_state.h"
#include "app/project_file.h"
#include "app/settings_store.h"
#include "app/tfm_main.h"
#include "cutlist/tfm_cutlist.h"
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

// A data folder of `count` projects, made once per size.
QString projectFolder(int count) {
  const QString data = folder().filePath(QStringLiteral("data%1").arg(count));
  if (QDir(data).exists()) return data;
  QDir().mkpath(data);
  hm::COM_BINREC record;
  hm::BlankRecord(record);
  for (int i = 0; i < count; ++i) {
    hm::ProjectFile().create(hm::projectFilePath(data, QStringLiteral("wall%1").arg(i)), record);
  }
  return data;
}

void BM_LoadProjects(benchmark::State& state) {
  const QString data = projectFolder(static_cast<int>(state.range(0)));
  hm::TfmMain window;
  hm::COM_PATH = data;
  for (auto _ : state) window.LoadProjects();
}
BENCHMARK(BM_LoadProjects)->Arg(200)->Arg(10000)->Unit(benchmark::kMillisecond);

// The project window from creation until its first activation has run, with three projects.
void BM_ProjectWindowStart(benchmark::State& state) {
  hm::SetRegS(QStringLiteral("Data"), QStringLiteral("Path"), projectFolder(3));
  for (auto _ : state) {
    hm::TfmMain window;
    window.show();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_ProjectWindowStart)->Unit(benchmark::kMillisecond);

// Opening a project: the layout window made, shown and activated (file opened and read).
void BM_OpenLayoutWindow(benchmark::State& state) {
  hm::COM_PRJFILE = hm::projectFilePath(projectFolder(3), QStringLiteral("wall0"));
  for (auto _ : state) {
    hm::Tfm_Layout layout;
    layout.show();
    QCoreApplication::processEvents();
    layout.close();
  }
}
BENCHMARK(BM_OpenLayoutWindow)->Unit(benchmark::kMillisecond);

// A full calculation of the cutting lists for 100 bins of 100 different widths.
void BM_CutListCalculation100Bins(benchmark::State& state) {
  hm::COM_PRJFILE = folder().filePath(QStringLiteral("hundred.dat"));
  hm::BlankRecord(hm::COM_BINDATA);
  for (int r = 0; r < 10; ++r) {
    for (int c = 0; c < 10; ++c) {
      hm::COM_BINDATA.COM_BINVALS[r][c] = 6.0f + static_cast<float>(10 * r + c) / 8.0f;
    }
  }
  hm::COM_BINDATA.COM_DIVMAT = "Ply";
  hm::COM_BINDATA.COM_DIVTHK = "1/4";
  hm::ProjectFile().create(hm::COM_PRJFILE, hm::COM_BINDATA);
  hm::COM_BINFILE.open(hm::COM_PRJFILE);
  {
    hm::Tfm_CutList cutList;
    cutList.show();
    QCoreApplication::processEvents();
    for (auto _ : state) cutList.btnDoCalcsClick();
  }
  hm::COM_BINFILE.close();
}
BENCHMARK(BM_CutListCalculation100Bins)->Unit(benchmark::kMillisecond);

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
