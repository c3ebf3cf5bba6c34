#include "clock.h"
#include "errors.h"
#include "input_grid.h"
#include "scripted_file_chooser.h"
#include "name_list_model.h"
#include "worksheet_fixture.h"

#include <QFile>
#include <QPushButton>

namespace {

const QString noShip = QStringLiteral("Please select a ship first.");

void setCell(QTableWidget* grid, int row, int column, const QString& text) {
    grid->item(row - 1, column - 1)->setText(text);
}

// Everything Calculate needs on the Initial tab, set directly.
void fillDraft(WorksheetFixture& f) {
    const std::pair<const char*, const char*> fields[] = {
        {"txtVoyageID", "V1"},      {"txtCargo", "Ore"},    {"txtDensity", "1.025"},
        {"txtFwdPort", "5.18"},     {"txtFwdStbd", "5.22"}, {"txtMidShipPort", "5.97"},
        {"txtMidshipStbd", "6.01"}, {"txtAftPort", "6.79"}, {"txtAftStbd", "6.83"},
        {"txtFwdX", "-2.5"},        {"txtMidX", "0"},       {"txtAftX", "4.2"}};
    for (const auto& [name, text] : fields)
        f.find(name)->setText(QString::fromLatin1(text));
    f.find<QComboBox>("dcbPort")->setCurrentIndex(0);
    const char* below[] = {"5.99", "33412.8", "67.194", "-3.106"};
    const char* above[] = {"6.00", "33480.0", "67.200", "-3.100"};
    for (int column = 1; column <= 4; ++column) {
        setCell(f.find<QTableWidget>("fgrdHDT"), 1, column, QString::fromLatin1(below[column - 1]));
        setCell(f.find<QTableWidget>("fgrdHDT"), 2, column, QString::fromLatin1(above[column - 1]));
    }
    const char* mctc[][3] = {{"fgrdMCTCP50", "6.49", "916.8"}, {"fgrdMCTCM50", "5.49", "892.8"}};
    for (const auto& grid : mctc) {
        setCell(f.find<QTableWidget>(grid[0]), 1, 1, QString::fromLatin1(grid[1]));
        setCell(f.find<QTableWidget>(grid[0]), 2, 1, QStringLiteral("6.5"));
        setCell(f.find<QTableWidget>(grid[0]), 1, 2, QString::fromLatin1(grid[2]));
        setCell(f.find<QTableWidget>(grid[0]), 2, 2, QStringLiteral("917"));
    }
    // An editor holds its current cell's text.
    f.find("txtHDTGridTextbox")->setText(QString::fromLatin1(below[0]));
    f.find("txtMPGridTextbox")->setText(QStringLiteral("916.8"));
    f.find("txtMMGridTextbox")->setText(QStringLiteral("892.8"));
}

// Fails the first message the worksheet asks for, as an unexpected error
// inside the check that asked; records the rest.
class FailingFirstMessage : public RecordingMessageService {
public:
    MessageAnswer show(const Message& message) override {
        if (!m_failed) {
            m_failed = true;
            throw ProgramError::objectNotSet();
        }
        return RecordingMessageService::show(message);
    }

private:
    bool m_failed = false;
};

} // namespace

Q_DECLARE_METATYPE(Worksheet)
Q_DECLARE_METATYPE(Qt::Key)

class TestWorksheets : public QObject {
    Q_OBJECT

private slots:
    void opensAsANewSurvey_data();
    void opensAsANewSurvey();
    void shipGuard_data();
    void shipGuard();
    void finalTabNeedsAShip();
    void gridPathByKey_data();
    void gridPathByKey();
    void shiftTabWalksBackThroughTheGrids();
    void tabKeepsEachValueInItsTable();
    void opensWithTheFocusInShip_data();
    void opensWithTheFocusInShip();
    void tabKeysSwitchTabs_data();
    void tabKeysSwitchTabs();
    void initialNetBoxFollowsItsCell();
    void mctcDraftFollowsTheTypedDraft();
    void fieldRulesWhenLeavingAField_data();
    void fieldRulesWhenLeavingAField();
    void gridEditorsRefuseOnEnter_data();
    void gridEditorsRefuseOnEnter();
    void inputCompleteStopsAtTheFirstGap_data();
    void inputCompleteStopsAtTheFirstGap();
    void tabsKeepWhatWasTyped();
    void aDeductibleAloneIsKept();
    void billOfLadingIsChecked();
    void coincidingMarksAreRefused();
    void loadingDraftKeepsItsMeans();
    void unleftFieldIsCheckedBeforeCalculating_data();
    void unleftFieldIsCheckedBeforeCalculating();
    void lostRegisterIsReportedWhileTyping();
    void newSurveyKeepsTheShip_data();
    void newSurveyKeepsTheShip();
    void listsFollowTheRegisterAndKeepTheChoice();
    void failingEditorCheckNamesTheEditor_data();
    void failingEditorCheckNamesTheEditor();
};

void TestWorksheets::opensAsANewSurvey_data() {
    QTest::addColumn<Worksheet>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("frame");
    QTest::newRow("loading") << Worksheet::Loading << "Draft Survey-[Loading]"
                             << "fmeInitNetDisp";
    QTest::newRow("discharging") << Worksheet::Discharging << "Draft Survey-[Discharging]"
                                 << "fmeAssumedConstant";
}

void TestWorksheets::opensAsANewSurvey() {
    QFETCH(Worksheet, kind);
    QFETCH(QString, caption);
    QFETCH(QString, frame);
    WorksheetFixture f(kind);
    QCOMPARE(f.worksheet->windowTitle(), caption);
    QCOMPARE(commandNames(f.worksheet->enabledCommands()),
             QStringLiteral("Save Print PrintPreview Close"));
    QCOMPARE(f.host.masks.last(), QStringLiteral("Save Print PrintPreview Close"));
    const QTabBar& tabs = *f.find<QTabBar>("sstCalvane");
    QCOMPARE(tabs.count(), 2);
    // The tabs are there to be seen, not squeezed out by the sheet below.
    QCoreApplication::processEvents();
    QVERIFY(tabs.isVisible());
    QCOMPARE(tabs.height(), tabs.sizeHint().height());
    QVERIFY(f.find<QWidget>(frame.toLatin1().constData())->isVisible());
    QVERIFY(!f.find<QComboBox>("dcbDate")->isEnabled());
    QCOMPARE(f.find<QComboBox>("dcbDate")->count(), 0);
    QCOMPARE(f.find<QComboBox>("dcbShip")->currentText(), QString());
    QCOMPARE(f.find<QTableWidget>("fgrdHDT")->item(2, 0)->background().color(),
             InputGrid::readOnlyColour());
    QVERIFY(f.find<QTableWidget>("fgrdHDT")->item(2, 4)->background().style() == Qt::NoBrush);
    QCOMPARE(f.messages.texts(), QStringList());
}

void TestWorksheets::shipGuard_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("voyage") << "txtVoyageID";
    QTest::newRow("port list") << "dcbPort";
    QTest::newRow("reading") << "txtFwdPort";
    QTest::newRow("grid editor") << "txtHDTGridTextbox";
    QTest::newRow("comments") << "txtComments";
}

void TestWorksheets::shipGuard() {
    QFETCH(QString, control);
    WorksheetFixture f(Worksheet::Loading);
    f.find<QWidget>(control.toLatin1().constData())->setFocus();
    QTRY_COMPARE(f.focused(), QStringLiteral("dcbShip"));
    QCOMPARE(f.messages.texts(), QStringList{noShip});
    QCOMPARE(f.messages.shown().first().title, QStringLiteral("Calvane Lt"));

    f.messages.clear();
    f.chooseShip();
    f.find<QWidget>(control.toLatin1().constData())->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(f.focused(), control);
    QCOMPARE(f.messages.texts(), QStringList());
}

void TestWorksheets::finalTabNeedsAShip() {
    WorksheetFixture f(Worksheet::Discharging);
    QTabBar* tabs = f.find<QTabBar>("sstCalvane");
    tabs->setCurrentIndex(1);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(f.messages.texts(), QStringList{noShip});
    QVERIFY(!f.worksheet->draft(Stage::Initial).ToSave());

    f.messages.clear();
    f.chooseShip();
    tabs->setCurrentIndex(1);
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(!f.find<QComboBox>("dcbShip")->isEnabled());
    tabs->setCurrentIndex(0);
    QVERIFY(f.find<QComboBox>("dcbShip")->isEnabled());
    QCOMPARE(QSet<QString>(f.host.masks.cbegin(), f.host.masks.cend()),
             QSet<QString>{QStringLiteral("Save Print PrintPreview Close")});
}

void TestWorksheets::gridPathByKey_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Enter") << Qt::Key_Return;
    QTest::newRow("Tab") << Qt::Key_Tab;
}

void TestWorksheets::gridPathByKey() {
    QFETCH(Qt::Key, key);
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    f.find("txtAftX")->setFocus();
    f.type(QStringLiteral("4.2"), key);
    QCOMPARE(f.focused(), QStringLiteral("txtHDTGridTextbox"));
    QTableWidget* hdt = f.find<QTableWidget>("fgrdHDT");
    QList<QPair<int, int>> visited;
    for (int press = 0; press < 8; ++press) {
        visited.append({hdt->currentRow() + 1, hdt->currentColumn() + 1});
        f.type(QString(), key);
    }
    const QList<QPair<int, int>> expected = {{1, 1}, {2, 1}, {1, 2}, {2, 2},
                                             {1, 3}, {2, 3}, {1, 4}, {2, 4}};
    QCOMPARE(visited, expected);
    QCOMPARE(f.focused(), QStringLiteral("txtMPGridTextbox"));
    f.type(QString(), key);
    f.type(QString(), key);
    QCOMPARE(f.focused(), QStringLiteral("txtMMGridTextbox"));
    f.type(QString(), key);
    f.type(QString(), key);
    QCOMPARE(f.focused(), QStringLiteral("txtGridTextbox"));
    QTableWidget* deductions = f.find<QTableWidget>("fgrdDeduction");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(deductions->currentRow(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(deductions->currentRow(), 0);
    for (int row = 0; row < deductions->rowCount(); ++row)
        f.type(QStringLiteral("1"), key);
    QCOMPARE(f.focused(), QStringLiteral("txtComments"));
    QCOMPARE(deductions->item(deductions->rowCount() - 1, 0)->text(), QStringLiteral("1"));
    QCOMPARE(f.messages.texts(), QStringList());
}

void TestWorksheets::shiftTabWalksBackThroughTheGrids() {
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    f.find("txtComments")->setFocus();
    QList<QPair<QString, QPair<int, int>>> visited;
    const auto cellOf = [&](const QString& editor) {
        const char* grids[][2] = {{"txtHDTGridTextbox", "fgrdHDT"},
                                  {"txtMPGridTextbox", "fgrdMCTCP50"},
                                  {"txtMMGridTextbox", "fgrdMCTCM50"},
                                  {"txtGridTextbox", "fgrdDeduction"}};
        for (const auto& [name, grid] : grids) {
            if (editor == QLatin1String(name)) {
                const QTableWidget* table = f.find<QTableWidget>(grid);
                return QPair<int, int>(table->currentRow(), table->currentColumn());
            }
        }
        return QPair<int, int>(-1, -1);
    };
    const int deductibles = f.find<QTableWidget>("fgrdDeduction")->rowCount();
    for (int press = 0; press < deductibles + 4 + 8 + 1; ++press) {
        f.type(QString(), Qt::Key_Backtab, Qt::ShiftModifier);
        visited.append({f.focused(), cellOf(f.focused())});
    }
    QList<QPair<QString, QPair<int, int>>> expected;
    for (int row = deductibles - 1; row >= 0; --row)
        expected.append({QStringLiteral("txtGridTextbox"), {row, 0}});
    for (const char* mctc : {"txtMMGridTextbox", "txtMPGridTextbox"}) {
        expected.append({QString::fromLatin1(mctc), {1, 1}});
        expected.append({QString::fromLatin1(mctc), {0, 1}});
    }
    for (int column = 3; column >= 0; --column) {
        expected.append({QStringLiteral("txtHDTGridTextbox"), {1, column}});
        expected.append({QStringLiteral("txtHDTGridTextbox"), {0, column}});
    }
    expected.append({QStringLiteral("txtAftX"), {-1, -1}});
    QCOMPARE(visited, expected);
    QCOMPARE(f.messages.texts(), QStringList());
}

void TestWorksheets::tabKeepsEachValueInItsTable() {
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    f.find("txtAftX")->setFocus();
    f.type(QStringLiteral("4.2"), Qt::Key_Tab);
    for (const char* text : {"6.43", "6.44", "45914", "45980"})
        f.type(QString::fromLatin1(text), Qt::Key_Tab);
    QCOMPARE(f.focused(), QStringLiteral("txtHDTGridTextbox"));
    QCOMPARE(f.cell("fgrdHDT", 0, 0), QStringLiteral("6.43"));
    QCOMPARE(f.cell("fgrdHDT", 1, 0), QStringLiteral("6.44"));
    QCOMPARE(f.cell("fgrdHDT", 0, 1), QStringLiteral("45914"));
    QCOMPARE(f.cell("fgrdHDT", 1, 1), QStringLiteral("45980"));
    for (const char* grid : {"fgrdMCTCP50", "fgrdMCTCM50"}) {
        QCOMPARE(f.cell(grid, 0, 1), QString());
        QCOMPARE(f.cell(grid, 1, 1), QString());
    }
    QCOMPARE(f.messages.texts(), QStringList());
}

void TestWorksheets::opensWithTheFocusInShip_data() {
    QTest::addColumn<Worksheet>("kind");
    QTest::newRow("loading") << Worksheet::Loading;
    QTest::newRow("discharging") << Worksheet::Discharging;
}

void TestWorksheets::opensWithTheFocusInShip() {
    QFETCH(Worksheet, kind);
    WorksheetFixture f(kind);
    QCOMPARE(f.focused(), QStringLiteral("dcbShip"));
    // Round the whole ring of Tab stops: each one is in sight.
    f.chooseShip();
    QStringList ring;
    do {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCoreApplication::processEvents();
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QVERIFY2(focus->isVisible(), qPrintable(focus->objectName()));
        ring.append(focus->objectName());
    } while (ring.size() < 60 && f.focused() != QStringLiteral("dcbShip"));
    QCOMPARE(ring.last(), QStringLiteral("dcbShip"));
    QVERIFY(ring.contains(QStringLiteral("cmdCalculate")));
    QVERIFY(!ring.contains(QStringLiteral("scrollWorksheet")));
}

void TestWorksheets::tabKeysSwitchTabs_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+Tab") << Qt::Key_Tab << ctrl;
    QTest::newRow("Ctrl+Shift+Tab") << Qt::Key_Backtab << (ctrl | Qt::ShiftModifier);
    QTest::newRow("Ctrl+PgDn") << Qt::Key_PageDown << ctrl;
    QTest::newRow("Ctrl+PgUp") << Qt::Key_PageUp << ctrl;
    QTest::newRow("Alt+N") << Qt::Key_N << Qt::KeyboardModifiers(Qt::AltModifier);
}

void TestWorksheets::tabKeysSwitchTabs() {
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    WorksheetFixture f(Worksheet::Loading);
    QTabBar* tabs = f.find<QTabBar>("sstCalvane");
    // Refused as a click is, without a ship.
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    QCoreApplication::processEvents();
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(f.messages.texts(), QStringList{noShip});

    f.messages.clear();
    f.chooseShip();
    f.find("txtFwdPort")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    QCoreApplication::processEvents();
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(f.focused(), QStringLiteral("txtVoyageID"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
    QCOMPARE(tabs->currentIndex(), 0);
    // Round and round, from either end.
    for (const int expected : {1, 0}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(tabs->currentIndex(), expected);
    }
    QCOMPARE(tabs->tabText(0).remove(u'&'), QStringLiteral("Initial"));
    QCOMPARE(tabs->tabText(1).remove(u'&'), QStringLiteral("Final"));
    QCOMPARE(f.messages.texts(), QStringList());
}

void TestWorksheets::initialNetBoxFollowsItsCell() {
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    f.find<QTabBar>("sstCalvane")->setCurrentIndex(1);
    QTableWidget* results = f.find<QTableWidget>("fgrdFinalResult");
    QLineEdit* box = f.find("txtFnlGrdTxtBox");
    const auto cellRect = [&] {
        const QRect cell = results->visualRect(results->model()->index(10, 1));
        return QRect(results->viewport()->mapTo(box->parentWidget(), cell.topLeft()), cell.size());
    };
    QVERIFY(box->isVisible());
    QCOMPARE(box->geometry(), cellRect());
    // The window widened, the results move right and the box with them.
    f.worksheet->resize(f.worksheet->width() + 300, f.worksheet->height());
    QTRY_COMPARE(box->geometry(), cellRect());
}

void TestWorksheets::mctcDraftFollowsTheTypedDraft() {
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    f.find("txtAftX")->setFocus();
    f.type(QString());
    QLineEdit* editor = f.find("txtHDTGridTextbox");
    QTest::keyClicks(editor, QStringLiteral("7.3"));
    QCOMPARE(f.cell("fgrdMCTCP50", 0, 0), QStringLiteral("7.8"));
    QCOMPARE(f.cell("fgrdMCTCM50", 0, 0), QStringLiteral("6.8"));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("-"));
    QCOMPARE(f.cell("fgrdMCTCP50", 0, 0), QStringLiteral("7.8"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(f.cell("fgrdMCTCP50", 0, 0), QString());
    QCOMPARE(f.cell("fgrdMCTCM50", 0, 0), QString());
    QTest::keyClicks(editor, QStringLiteral("7.12346"));
    f.type(QString());
    // The cell keeps 4 places, the MCTC drafts follow the draft as typed.
    QCOMPARE(f.cell("fgrdHDT", 0, 0), QStringLiteral("7.1235"));
    QCOMPARE(f.cell("fgrdMCTCP50", 0, 0), QStringLiteral("7.62346"));
    QCOMPARE(f.cell("fgrdMCTCM50", 0, 0), QStringLiteral("6.62346"));
}

// clang-format off
void TestWorksheets::fieldRulesWhenLeavingAField_data() {
    QTest::addColumn<Worksheet>("kind");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");
    const auto L = Worksheet::Loading;
    const auto D = Worksheet::Discharging;
    QTest::newRow("reading rounded, drafts corrected") << L << "txtFwdPort" << "12.34567" << "12.346" << "";
    QTest::newRow("reading 100 refused") << L << "txtFwdPort" << "100" << "" << "Invalid value for Foward Port draft.\r\n\r\nPlease enter value greater than 0 and less than 100.";
    QTest::newRow("density refused, discharging words") << D << "txtDensity" << "10" << "" << "Invalid density value.\r\n\r\nPlease enter values greater than 0 and less 10.";
    QTest::newRow("density rounding to 0 refused") << L << "txtDensity" << "0.00001" << "" << "Invalid density value.\r\n\r\nPlease enter values greater than 0 and less than 10.";
    QTest::newRow("date typed month first") << L << "mbxDate" << "07132024" << "13-07-2024" << "";
    QTest::newRow("impossible date") << L << "mbxDate" << "31022024" << "05-12-2026" << "Invalid Date";
    QTest::newRow("impossible time") << L << "mbxTime" << "2599" << "10:30" << "Invalid Time";
}
// clang-format on

void TestWorksheets::fieldRulesWhenLeavingAField() {
    QFETCH(Worksheet, kind);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    const FixedClock clock(QDateTime(QDate(2026, 12, 5), QTime(10, 30)));
    WorksheetFixture f(kind);
    f.chooseShip();
    QLineEdit* box = f.find(field.toLatin1().constData());
    box->setFocus();
    f.type(typed);
    QCOMPARE(box->text(), shown);
    QCOMPARE(f.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(f.focused() == field, !message.isEmpty());
    if (field == QStringLiteral("txtFwdPort") && message.isEmpty())
        QCOMPARE(f.find("txtFwdMean")->text(), QStringLiteral("6.173"));
}

// clang-format off
void TestWorksheets::gridEditorsRefuseOnEnter_data() {
    QTest::addColumn<int>("enters");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("editorAfter");
    QTest::addColumn<QString>("message");
    QTest::newRow("TPC out of range empties the editor") << 4 << "10000" << "" << "Value of TPC can only be a positive number greater than 0 and less than 10000.";
    QTest::newRow("LCF not a number puts the cell back") << 6 << "x" << "" << "Invalid value. Only numbers are allowed.";
    QTest::newRow("MCTC+50 of 0") << 8 << "0" << "" << "Value of MCTC+50 can only be a positive number greater than 0 and less than 100000.";
    QTest::newRow("deduction of 100000") << 12 << "100000" << "" << "Invalid value.\r\n\r\nValue of deduction can be a number greater than 0 and less than 100000.";
}
// clang-format on

void TestWorksheets::gridEditorsRefuseOnEnter() {
    QFETCH(int, enters);
    QFETCH(QString, typed);
    QFETCH(QString, editorAfter);
    QFETCH(QString, message);
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    f.find("txtAftX")->setFocus();
    f.type(QString());
    for (int press = 0; press < enters; ++press)
        f.type(QString());
    const QString editor = f.focused();
    QTableWidget* grid = qobject_cast<QTableWidget*>(
        QApplication::focusWidget()->parentWidget()->findChild<QTableWidget*>(
            editor == QStringLiteral("txtHDTGridTextbox")  ? QStringLiteral("fgrdHDT")
            : editor == QStringLiteral("txtMPGridTextbox") ? QStringLiteral("fgrdMCTCP50")
                                                           : QStringLiteral("fgrdDeduction")));
    const QPair<int, int> before{grid->currentRow(), grid->currentColumn()};
    f.type(typed);
    QCOMPARE(f.messages.texts(), QStringList{message});
    QCOMPARE(f.focused(), editor);
    QCOMPARE((QPair<int, int>{grid->currentRow(), grid->currentColumn()}), before);
    QCOMPARE(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), editorAfter);
}

// clang-format off
void TestWorksheets::inputCompleteStopsAtTheFirstGap_data() {
    QTest::addColumn<QString>("blanked");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("voyage") << "txtVoyageID" << "Incomplete data.\r\n\r\nPlease enter Voyage-ID." << "txtVoyageID";
    QTest::newRow("density") << "txtDensity" << "Incomplete data.\r\n\r\nPlease enter value for Density." << "txtDensity";
    QTest::newRow("aft starboard of blanks") << "txtAftStbd" << "Incomplete data.\r\n\r\nPlease enter value for Aft Starboard." << "txtAftStbd";
    QTest::newRow("aft mark") << "txtAftX" << "Incomplete data.\r\n\r\nPlease enter value for Aft X." << "txtAftX";
    QTest::newRow("TPC below") << "fgrdHDT 1 3" << "Value of TPC can't be left blank." << "txtHDTGridTextbox";
    QTest::newRow("MCTC-50 above") << "fgrdMCTCM50 2 2" << "Value of MCTC-50 can't be left blank." << "txtMMGridTextbox";
}
// clang-format on

void TestWorksheets::inputCompleteStopsAtTheFirstGap() {
    QFETCH(QString, blanked);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    fillDraft(f);
    const QStringList cell = blanked.split(u' ');
    if (cell.size() == 3)
        setCell(f.find<QTableWidget>(cell[0].toLatin1().constData()), cell[1].toInt(),
                cell[2].toInt(), QStringLiteral(" "));
    else
        f.find(blanked.toLatin1().constData())->setText(QStringLiteral("  "));
    f.calculate();
    QCOMPARE(f.messages.texts(), QStringList{message});
    QCOMPARE(f.focused(), focus);
    QCOMPARE(f.cell("fgrdFinalResult", 9, 1), QString());
    if (cell.size() == 3) {
        const QTableWidget* grid = f.find<QTableWidget>(cell[0].toLatin1().constData());
        QCOMPARE(grid->currentRow() + 1, cell[1].toInt());
        QCOMPARE(grid->currentColumn() + 1, cell[2].toInt());
    }
}

void TestWorksheets::tabsKeepWhatWasTyped() {
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    f.find("txtFwdPort")->setFocus();
    f.type(QStringLiteral("5.5"));
    f.find("txtGridTextbox")->setFocus();
    f.type(QStringLiteral("12.5"));
    QTabBar* tabs = f.find<QTabBar>("sstCalvane");
    tabs->setCurrentIndex(1);
    QCOMPARE(f.find("txtFwdPort")->text(), QString());
    QCOMPARE(f.cell("fgrdDeduction", 0, 0), QString());
    f.find("txtFwdPort")->setFocus();
    f.type(QStringLiteral("9.1"));
    tabs->setCurrentIndex(0);
    QCOMPARE(f.find("txtFwdPort")->text(), QStringLiteral("5.5"));
    QCOMPARE(f.cell("fgrdDeduction", 0, 0), QStringLiteral("12.5"));
    tabs->setCurrentIndex(1);
    QCOMPARE(f.find("txtFwdPort")->text(), QStringLiteral("9.1"));
    QCOMPARE(f.messages.texts(), QStringList());
}

// A draft of which only a deductible is typed yet is still a draft to keep.
void TestWorksheets::aDeductibleAloneIsKept() {
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    f.find("txtGridTextbox")->setFocus();
    f.type(QStringLiteral("12.5"));
    QTabBar* tabs = f.find<QTabBar>("sstCalvane");
    tabs->setCurrentIndex(1);
    tabs->setCurrentIndex(0);
    QCOMPARE(f.cell("fgrdDeduction", 0, 0), QStringLiteral("12.5"));
    QCOMPARE(f.messages.texts(), QStringList());
}

// The Bill of Lading quantity is the discharging worksheet's alone.
void TestWorksheets::billOfLadingIsChecked() {
    WorksheetFixture f(Worksheet::Discharging);
    f.chooseShip();
    f.find("txtBLQty")->setFocus();
    f.type(QStringLiteral("abc"));
    QCOMPARE(f.messages.texts(),
             QStringList{QStringLiteral("Invalid value for Bill of Lading quantity.\r\n\r\n"
                                        "Please enter numeric value.")});
    QCOMPARE(f.find("txtBLQty")->text(), QString());
    QCOMPARE(f.focused(), QStringLiteral("txtBLQty"));
}

void TestWorksheets::coincidingMarksAreRefused() {
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    fillDraft(f);
    f.find("txtAftX")->setText(QStringLiteral("4.2"));
    f.find("txtFwdX")->setFocus();
    f.type(QStringLiteral("-212.8"));
    const QString refusal =
        QStringLiteral("Invalid draft mark distances.\r\n\r\nThe length between "
                       "the draft marks (LBP + Fwd X - Aft X) can't be 0.");
    QCOMPARE(f.messages.texts(), QStringList{refusal});
    f.messages.clear();
    f.calculate();
    QCOMPARE(f.messages.texts().last(), refusal);
    QCOMPARE(f.cell("fgrdFinalResult", 9, 1), QString());
    QCOMPARE(f.find("txtVoyageID")->text(), QStringLiteral("V1"));
}

void TestWorksheets::loadingDraftKeepsItsMeans() {
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    fillDraft(f);
    f.calculate();
    const clsDraft& initial = f.worksheet->draft(Stage::Initial);
    QCOMPARE(initial.get(DraftProperty::FwdMean).toText(), QStringLiteral("5.2"));
    QCOMPARE(initial.get(DraftProperty::AftTrueDraft).toText(), f.find("txtAftTrueDraft")->text());
    QVERIFY(!f.cell("fgrdFinalResult", 9, 1).isEmpty());
}

// clang-format off
void TestWorksheets::unleftFieldIsCheckedBeforeCalculating_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const QString reading = QStringLiteral("Invalid value for Midship Port draft.\r\n\r\nPlease enter numeric value.");
    const QString density = QStringLiteral("Invalid density value.\r\n\r\nPlease enter values greater than 0 and less than 10.");
    for (const char* action : {"Calculate", "Final tab", "Save"}) {
        QTest::addRow("%s, a reading", action) << action << "txtMidShipPort" << "abc" << reading;
        QTest::addRow("%s, the density", action) << action << "txtDensity" << "0.00001" << density;
    }
}
// clang-format on

void TestWorksheets::unleftFieldIsCheckedBeforeCalculating() {
    QFETCH(QString, action);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    fillDraft(f);
    f.find(field.toLatin1().constData())->setText(typed);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("survey.json"));
    ScriptedFileChooser chooser;
    chooser.answers = QStringList{file};
    if (action == QStringLiteral("Final tab"))
        f.find<QTabBar>("sstCalvane")->setCurrentIndex(1);
    else if (action == QStringLiteral("Save"))
        f.worksheet->RSave();
    else
        QTest::mouseClick(f.find<QPushButton>("cmdCalculate"), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(f.messages.texts(), QStringList{message});
    QCOMPARE(f.focused(), field);
    QCOMPARE(f.find<QTabBar>("sstCalvane")->currentIndex(), 0);
    QCOMPARE(f.cell("fgrdFinalResult", 9, 1), QString());
    QVERIFY(!QFile::exists(file));
}

void TestWorksheets::lostRegisterIsReportedWhileTyping() {
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    f.find("txtVoyageID")->setText(QStringLiteral("V1"));
    gcnnStore->execute(QStringLiteral("DROP TABLE Ship"));
    f.find<QComboBox>("dcbShip")->setFocus();
    QTest::keyClick(f.find<QComboBox>("dcbShip"), Qt::Key_End);
    QTest::keyClicks(f.find<QComboBox>("dcbShip"), QStringLiteral("x"));
    QCOMPARE(f.messages.shown().size(), 1);
    QCOMPARE(f.messages.shown().first().icon, MessageIcon::Critical);
    QVERIFY(f.messages.texts().first().endsWith(
        QStringLiteral("Source :  frmCalvane::dcbShip_Change")));
    QCOMPARE(f.find("txtVoyageID")->text(), QStringLiteral("V1"));
    QCOMPARE(f.find<QComboBox>("dcbShip")->currentText(), QStringLiteral("Tasman Samplex"));
}

void TestWorksheets::newSurveyKeepsTheShip_data() {
    QTest::addColumn<Worksheet>("kind");
    QTest::addColumn<QString>("keptBillOfLading");
    QTest::newRow("loading") << Worksheet::Loading << "";
    QTest::newRow("discharging") << Worksheet::Discharging << "76050";
}

void TestWorksheets::newSurveyKeepsTheShip() {
    QFETCH(Worksheet, kind);
    QFETCH(QString, keptBillOfLading);
    WorksheetFixture f(kind);
    f.chooseShip();
    fillDraft(f);
    f.find("txtBLQty")->setText(QStringLiteral("76050"));
    f.calculate();
    f.find<QTabBar>("sstCalvane")->setCurrentIndex(1);
    f.messages.clear();
    f.worksheet->RNew();
    QCOMPARE(f.find<QTabBar>("sstCalvane")->currentIndex(), 0);
    QCOMPARE(f.find<QComboBox>("dcbShip")->currentText(), QStringLiteral("Tasman Sample"));
    QVERIFY(f.find<QComboBox>("dcbShip")->isEnabled());
    QCOMPARE(f.find("txtLBP")->text(), QStringLiteral("217"));
    for (const char* cleared : {"txtVoyageID", "txtCargo", "txtFwdPort", "txtConstant", "txtAftX"})
        QCOMPARE(f.find(cleared)->text(), QString());
    QCOMPARE(f.find("txtBLQty")->text(), keptBillOfLading);
    QCOMPARE(f.cell("fgrdHDT", 0, 0), QString());
    QCOMPARE(f.worksheet->draft(Stage::Initial).NetDisplacement().toText(), QString());
    QCOMPARE(f.host.masks.last(), QStringLiteral("Save Print PrintPreview Close"));
    QCOMPARE(f.messages.texts(), QStringList());
}

// Another surveyor adds a ship before the chosen one, then deletes it: the
// name stays shown, never swapped for its neighbour, and is no longer bound.
void TestWorksheets::listsFollowTheRegisterAndKeepTheChoice() {
    WorksheetFixture f(Worksheet::Loading);
    f.chooseShip();
    auto* ships = f.find<QComboBox>("dcbShip");
    auto* list = qobject_cast<NameListModel*>(ships->model());
    QVERIFY(list);
    const qint64 chosen = list->keyAt(ships->currentIndex());
    const int before = ships->count();
    for (const char* name : {"Aurora", "Zenith"})
        gcnnStore->execute(QStringLiteral("INSERT INTO Ship (ShipName, LBP) VALUES (?, 100)"),
                           {QString::fromLatin1(name)});
    list->refresh();
    QCOMPARE(ships->count(), before + 2);
    QCOMPARE(ships->currentText(), QStringLiteral("Tasman Sample"));
    QCOMPARE(list->keyAt(ships->currentIndex()), chosen);

    gcnnStore->execute(QStringLiteral("DELETE FROM Ship WHERE ShipID = ?"), {chosen});
    list->refresh();
    QCOMPARE(ships->count(), before + 1);
    QCOMPARE(ships->currentIndex(), -1);
    QCOMPARE(ships->currentText(), QStringLiteral("Tasman Sample"));
    QCOMPARE(f.find("txtLBP")->text(), QStringLiteral("217"));
    f.messages.clear();
    f.calculate();
    QCOMPARE(f.messages.texts().size(), 1);
}

QTEST_MAIN(TestWorksheets)
void TestWorksheets::failingEditorCheckNamesTheEditor_data() {
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("shown");
    QTest::newRow("hydrostatic") << "txtHDTGridTextbox"
                                 << "txtHDTGridTextbox::Validate";
    QTest::newRow("MCTC+50") << "txtMPGridTextbox"
                             << "txtMPGridTextbox::Validate";
    QTest::newRow("MCTC-50") << "txtMMGridTextbox"
                             << "txtMMGridTextbox::Validate";
    QTest::newRow("deductions") << "txtGridTextbox"
                                << "frmCalvane::txtGridTextbox_Validate";
}

void TestWorksheets::failingEditorCheckNamesTheEditor() {
    QFETCH(QString, editor);
    QFETCH(QString, shown);
    WorksheetFixture f(Worksheet::Discharging);
    f.chooseShip();
    QLineEdit* box = f.find(editor.toLatin1().constData());
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("abc"));
    FailingFirstMessage failing;
    installMessageService(&failing);
    f.find("txtComments")->setFocus();
    QTRY_COMPARE(failing.texts(), QStringList{shown});
    installMessageService(&f.messages);
    QCOMPARE(failing.shown().first().icon, MessageIcon::None);
    QCOMPARE(failing.shown().first().title, QStringLiteral("Calvane Lt"));
    QCOMPARE(f.focused(), QStringLiteral("txtComments"));
}

#include "test_worksheets.moc"
