// A ship's hydrostatic table of 2,000 rows at 1 cm: imported from CSV text
// (split, read, LCF converted, audited), stored in a register, read back,
// and the rows chosen for a draft.
#include "connection.h"
#include "create_database.h"
#include "register.h"
#include "table_import.h"
#include "table_rows.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int tableRows = 2000;

// Drafts 2.00 m to 21.99 m, figures rising as a real ship's do.
QString tableText() {
    QString text = QStringLiteral("Draft (m),Displacement (t),TPC,LCF (m),MCTC,KM\n");
    for (int cm = 200; cm < 200 + tableRows; ++cm) {
        const qint64 displacement = 4000 * qint64(cm) + qint64(cm) * cm / 7;
        text += QStringLiteral("%1.%2,%3.%4,%5.%6,%7.%8,%9,12.5\n")
                    .arg(cm / 100)
                    .arg(cm % 100, 2, 10, QLatin1Char('0'))
                    .arg(displacement / 10)
                    .arg(displacement % 10)
                    .arg(40 + cm / 100)
                    .arg(cm % 1000, 3, 10, QLatin1Char('0'))
                    .arg(cm % 7)
                    .arg(cm % 1000, 3, 10, QLatin1Char('0'))
                    .arg(600 + cm / 3);
    }
    return text;
}

TableImport imported() {
    return importTable(tableText(), TableImportSettings{}, Decimal(217));
}

void importFromText(benchmark::State& state) {
    const QString text = tableText();
    for (auto _ : state) {
        TableImport import = importTable(text, TableImportSettings{}, Decimal(217));
        if (import.refused() || import.table.rows.size() != tableRows) {
            state.SkipWithError("table refused");
            break;
        }
        benchmark::DoNotOptimize(import);
    }
}

void storeAndReadBack(benchmark::State& state) {
    QTemporaryDir folder;
    createDatabase(databaseFileIn(folder.path()));
    OpenConnection(folder.path());
    ShipTable table = imported().table;
    table.shipID = 1;
    const Register records(*gcnnStore);
    for (auto _ : state) {
        const qint64 id = records.insertShipTable(table);
        benchmark::DoNotOptimize(records.shipTable(id));
        records.deleteShipTable(id);
    }
    gcnnStore.reset();
}

void chooseRowsAtADraft(benchmark::State& state) {
    const ShipTable table = imported().table;
    const Decimal draft = Decimal::fromText(u"14.03770209");
    for (auto _ : state)
        benchmark::DoNotOptimize(tableFill(chooseRows(table, draft)));
}

} // namespace

BENCHMARK(importFromText)->Unit(benchmark::kMillisecond);
BENCHMARK(storeAndReadBack)->Unit(benchmark::kMillisecond);
BENCHMARK(chooseRowsAtADraft)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
