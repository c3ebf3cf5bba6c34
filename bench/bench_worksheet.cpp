// The survey worksheets on a company's full register: opening one, and
// picking a ship by typing the start of its name, as the user does.
#include "child_window.h"
#include "frm_calvane.h"
#include "frm_dsdispatch.h"
#include "generated_register.h"
#include "message_service.h"
#include "statement.h"
#include "survey.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>
#include <type_traits>

namespace {

// The main window, as far as a worksheet asks anything of it.
class QuietHost : public ChildHost {
public:
    void enabledCommandsChanged(Commands) override {}
    void setStatusMessage(const QString&) override {}
};

QuietHost host;

template <typename Window> Worksheet kindOf() {
    return std::is_same_v<Window, frmCalvane> ? Worksheet::Loading : Worksheet::Discharging;
}

template <typename Window> void openWorksheet(benchmark::State& state) {
    for (auto _ : state) {
        Survey survey(kindOf<Window>());
        Window window(survey, host);
        window.show();
        QCoreApplication::processEvents();
    }
}

// A worksheet shown on a survey of its own, its ship list in focus.
template <typename Window> class ShownWorksheet {
public:
    ShownWorksheet() : m_survey(kindOf<Window>()), m_window(m_survey, host) {
        m_window.show();
        QCoreApplication::processEvents();
        ships = m_window.template findChild<QComboBox*>(QStringLiteral("dcbShip"));
        ships->setFocus();
    }
    QComboBox* ships = nullptr;

private:
    Survey m_survey;
    Window m_window;
};

// Types the first letters of ships spread over the whole register; each
// iteration ends with the ship chosen and loaded.
template <typename Window> void typeShipName(benchmark::State& state) {
    ShownWorksheet<Window> worksheet;
    QComboBox* ships = worksheet.ships;
    int row = 0;
    for (auto _ : state) {
        state.PauseTiming();
        row = (row + 7919) % ships->count();
        const QString name = ships->itemText(row);
        const QString typed = name.left(std::max(qsizetype(4), name.size() / 2));
        ships->lineEdit()->clear();
        state.ResumeTiming();
        QTest::keyClicks(ships, typed);
        QCoreApplication::processEvents();
        if (!ships->currentText().startsWith(typed, Qt::CaseInsensitive))
            state.SkipWithError("the typed name was not selected");
    }
    state.counters["ships"] = ships->count();
}

// The first ship typed in a worksheet just opened: its list has read
// nothing yet, and on a server first learns where its pages start.
template <typename Window> void typeShipNameFirst(benchmark::State& state) {
    QStringList names;
    QSqlQuery query = runStatement(gcnnStore->database(),
                                   QStringLiteral("SELECT ShipName FROM Ship ORDER BY ShipID"));
    while (query.next())
        names.append(query.value(0).toString());
    qsizetype next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto worksheet = std::make_unique<ShownWorksheet<Window>>();
        next = (next + 7919) % names.size();
        const QString typed =
            names.at(next).left(std::max(qsizetype(4), names.at(next).size() / 2));
        state.ResumeTiming();
        QTest::keyClicks(worksheet->ships, typed);
        QCoreApplication::processEvents();
        if (!worksheet->ships->currentText().startsWith(typed, Qt::CaseInsensitive))
            state.SkipWithError("the typed name was not selected");
        state.PauseTiming();
        worksheet.reset();
        state.ResumeTiming();
    }
}

// Picks ships that have a hydrostatic table by their whole name: each
// iteration ends with the ship and its table loaded.
template <typename Window> void chooseShipWithATable(benchmark::State& state) {
    QStringList names;
    QSqlQuery query = runStatement(gcnnStore->database(),
                                   QStringLiteral("SELECT ShipName FROM Ship JOIN HydrostaticTable "
                                                  "ON TableShipID = ShipID ORDER BY TableID"));
    while (query.next())
        names.append(query.value(0).toString());
    ShownWorksheet<Window> worksheet;
    QComboBox* ships = worksheet.ships;
    int next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString& name = names.at(next++ % names.size());
        ships->lineEdit()->clear();
        state.ResumeTiming();
        QTest::keyClicks(ships, name);
        QCoreApplication::processEvents();
    }
    state.counters["tables"] = names.size();
}

} // namespace

BENCHMARK(chooseShipWithATable<frmCalvane>)->Unit(benchmark::kMillisecond);
BENCHMARK(openWorksheet<frmCalvane>)->Unit(benchmark::kMillisecond);
BENCHMARK(openWorksheet<frmDSDispatch>)->Unit(benchmark::kMillisecond);
BENCHMARK(typeShipName<frmCalvane>)->Unit(benchmark::kMillisecond);
BENCHMARK(typeShipName<frmDSDispatch>)->Unit(benchmark::kMillisecond);
BENCHMARK(typeShipNameFirst<frmCalvane>)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const GeneratedRegister data;
    const ScopedMessageRecorder messages;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return messages.shown().isEmpty() ? 0 : 1;
}
