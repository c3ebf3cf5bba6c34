// The register windows at the size of a real company's register (110000
// ships, 10000 ports, made by calvane-makeregister): opening each window and
// choosing a ship or a port, as the user does.
#include "frm_mdi.h"
#include "frm_open.h"
#include "frm_port_master.h"
#include "frm_ship_particulars.h"
#include "frm_ship_tables.h"
#include "generated_register.h"
#include "master_windows.h"
#include "message_service.h"
#include "program_settings.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

// The register and the main window every benchmark works in.
struct BenchedRegister {
    GeneratedRegister data;
    ScopedMessageRecorder messages;
    WindowRegistry registry;
    std::unique_ptr<ProgramSettings> settings;
    std::unique_ptr<frmMDI> frame;

    BenchedRegister() {
        registerMasterWindows(registry);
        settings = std::make_unique<ProgramSettings>(
            data.folder().filePath(QStringLiteral("calvane.ini")));
        ShellOptions options;
        options.applicationFolder = data.folder().path();
        frame = std::make_unique<frmMDI>(registry, *settings, options);
        frame->show();
    }
    ~BenchedRegister() { frame.reset(); }
};

BenchedRegister* theRegister = nullptr;

template <typename Window> void openWindow(benchmark::State& state) {
    for (auto _ : state) {
        Window window(*theRegister->frame, *gcnnStore);
        window.show();
        QCoreApplication::processEvents();
    }
}

void openOpenDialog(benchmark::State& state) {
    for (auto _ : state) {
        frmOpen dialog(*theRegister->frame);
        dialog.show();
        QCoreApplication::processEvents();
    }
}

// Picks ships spread over the whole list from the name list's popup.
void chooseShip(benchmark::State& state) {
    frmShipParticulars window(*theRegister->frame, *gcnnStore);
    window.show();
    auto* names = window.findChild<QComboBox*>(QStringLiteral("cmbShipName"));
    int row = 0;
    for (auto _ : state) {
        row = (row + 7919) % names->count();
        names->showPopup();
        names->view()->setCurrentIndex(names->model()->index(row, 0));
        QTest::keyClick(names->view(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
}

void choosePort(benchmark::State& state) {
    frmPortMaster window(*theRegister->frame, *gcnnStore);
    window.show();
    auto* list = window.findChild<QListView*>(QStringLiteral("dlstPortMaster"));
    int row = 0;
    for (auto _ : state) {
        row = (row + 787) % list->model()->rowCount();
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        QCoreApplication::processEvents();
    }
}

// Shows ships that have a table in turn: the tables listed and the first
// page of rows read.
void showShipTables(benchmark::State& state) {
    QSqlQuery query(gcnnStore->database());
    if (!query.exec(QStringLiteral("SELECT DISTINCT TableShipID FROM HydrostaticTable LIMIT 50"))) {
        state.SkipWithError("no tables");
        return;
    }
    QList<qint64> ships;
    while (query.next())
        ships.append(query.value(0).toLongLong());
    frmShipTables window(*theRegister->frame, *gcnnStore);
    window.show();
    auto* rows = window.findChild<QTableView*>(QStringLiteral("grdRows"));
    int next = 0;
    for (auto _ : state) {
        window.showShip(ships.at(next++ % ships.size()));
        // The view reads the first page once it lays itself out.
        if (!QTest::qWaitFor([rows] { return rows->model()->rowCount() > 0; }, 1000))
            state.SkipWithError("no rows shown");
    }
}

} // namespace

BENCHMARK(openWindow<frmShipParticulars>)->Unit(benchmark::kMillisecond);
BENCHMARK(openWindow<frmPortMaster>)->Unit(benchmark::kMillisecond);
BENCHMARK(openWindow<frmShipTables>)->Unit(benchmark::kMillisecond);
BENCHMARK(showShipTables)->Unit(benchmark::kMillisecond);
BENCHMARK(openOpenDialog)->Unit(benchmark::kMillisecond);
BENCHMARK(chooseShip)->Unit(benchmark::kMillisecond);
BENCHMARK(choosePort)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    BenchedRegister made;
    theRegister = &made;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
