#include "frm_ship_tables.h"
#include "frm_table_import.h"
#include "masters_fixture.h"
#include "register.h"
#include "scripted_file_chooser.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <functional>

namespace {

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

template <typename T> T* partOf(const QWidget& window, const char* name) {
    T* found = window.findChild<T*>(text(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

QStringList listed(const QListWidget& list) {
    QStringList lines;
    for (int row = 0; row < list.count(); ++row)
        lines.append(list.item(row)->text());
    return lines;
}

TableRow row(const char* draft, const char* displacement, const char* lcf) {
    TableRow result;
    result[TableColumn::Draft] = Decimal::fromText(QString::fromLatin1(draft));
    result[TableColumn::Displacement] = Decimal::fromText(QString::fromLatin1(displacement));
    if (*lcf)
        result[TableColumn::LCF] = Decimal::fromText(QString::fromLatin1(lcf));
    return result;
}

const char* const AuditRefusal = "The table cannot be stored as it is: see what the audit says.";

} // namespace

class TestShipTablesWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void commaTableImportedWithConfirmedRoles();
    void refusedTableIsNotStored_data();
    void refusedTableIsNotStored();
    void lcfFromTheAftPerpendicularIsStoredFromAmidships();
    void unreadableFileIsSaidAndNothingOpens();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void exportWritesTheCsv();
    void listFollowsTheShipChosen();
    void tabWalksTheWindow();
    void keysInThePreview();
    void figureEditedThroughTheAudit_data();
    void figureEditedThroughTheAudit();
    void rowsAreReadAPageAtATime();

private:
    template <typename T = QWidget> T* part(const char* name) const {
        return partOf<T>(*m_window, name);
    }
    void open() {
        m_window = std::make_unique<frmShipTables>(m_db->host, *gcnnStore);
        QVERIFY(showActive(*m_window));
        m_window->showShip(m_ship);
    }
    qint64 storeTable(const QString& source, const QList<TableRow>& rows) const {
        ShipTable table;
        table.shipID = int(m_ship);
        table.declaration.source = source;
        table.rows = rows;
        return Register(*gcnnStore).insertShipTable(table);
    }
    QList<ShipTable> storedTables() const { return Register(*gcnnStore).shipTables(m_ship); }
    // Clicks `button` and lets `answer` work the preview it opens; the
    // preview is cancelled after, should it still be open.
    void inPreview(const char* button, const std::function<void(QDialog&)>& answer) {
        bool opened = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            opened = true;
            answer(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        QTest::mouseClick(part<QPushButton>(button), Qt::LeftButton);
        QVERIFY(opened);
    }
    QString writeFile(const char* name, const QByteArray& content) const {
        const QString path = m_db->folder.filePath(text(name));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write %s", name);
        return path;
    }
    QString shownCell(int row, int column) const {
        const QAbstractItemModel* rows = part<QTableView>("grdRows")->model();
        // The view reads the rows once it is laid out.
        if (!QTest::qWaitFor([&] { return rows->rowCount() > row; }))
            return QStringLiteral("(row %1 never read)").arg(row);
        return rows->data(rows->index(row, column)).toString();
    }

    std::unique_ptr<MastersFixture> m_db;
    std::unique_ptr<ScriptedFileChooser> m_files;
    std::unique_ptr<frmShipTables> m_window;
    qint64 m_ship = 0;
};

void TestShipTablesWindow::init() {
    m_db = std::make_unique<MastersFixture>();
    m_files = std::make_unique<ScriptedFileChooser>();
    m_ship = MastersFixture::addShip(text("Kobe Trader"), MastersFixture::addPort(text("Kobe")),
                                     text("KOBE"));
    open();
}

void TestShipTablesWindow::cleanup() {
    m_window.reset();
    m_files.reset();
    m_db.reset();
}

void TestShipTablesWindow::commaTableImportedWithConfirmedRoles() {
    // Headings the proposal does not know, rows out of order, an MCTC left
    // blank on one row.
    m_files->answers = QStringList{
        writeFile("table.csv", "Tiefgang;Verdr\xc3\xa4ngung;TPC;LCF;MCTC\n7,6;15250;25,1;2,4;\n"
                               "7,5;15000;25;2,5;190\n7,7;15500;25,2;2,3;192\n")};
    QStringList audit;
    inPreview("cmdImportFile", [&](QDialog& preview) {
        partOf<QComboBox>(preview, "cmbSeparator")->setCurrentIndex(1);
        // The declared figures follow the separator chosen.
        QCOMPARE(partOf<QLineEdit>(preview, "txtDensity")->text(), text("1,025"));
        auto* draft = partOf<QComboBox>(preview, "cmbRole1");
        auto* displacement = partOf<QComboBox>(preview, "cmbRole2");
        // Made again for the lines cut anew, and shown at once.
        QVERIFY(draft->isVisible());
        QCOMPARE(partOf<QComboBox>(preview, "cmbRole4")->currentText(), text("LCF"));
        QVERIFY(!partOf<QPushButton>(preview, "cmdStore")->isEnabled());
        QCOMPARE(partOf<QLabel>(preview, "lblRefusal")->text(),
                 text("Choose the column that gives the draft."));
        draft->setCurrentIndex(draft->findText(text("Draft")));
        displacement->setCurrentIndex(displacement->findText(text("Displacement")));
        QTest::keyClicks(partOf<QLineEdit>(preview, "txtSource"), text("Booklet p. 12"));
        QTest::keyClicks(partOf<QLineEdit>(preview, "txtTrim"), text("0,5"));
        audit = listed(*partOf<QListWidget>(preview, "lstAudit"));
        QCOMPARE(partOf<QLabel>(preview, "lblRefusal")->text(), QString());
        QTest::mouseClick(partOf<QPushButton>(preview, "cmdStore"), Qt::LeftButton);
    });
    QVERIFY(audit.contains(text("The rows were not in draft order; they are sorted by draft.")));
    QVERIFY(audit.contains(text("Line 2 gives no MCTC.")));

    const QList<ShipTable> stored = storedTables();
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored[0].declaration.source, text("Booklet p. 12"));
    QCOMPARE(stored[0].declaration.trim.value_or(Decimal()), Decimal::fromText(u"0.5"));
    QCOMPARE(stored[0].declaration.density, Decimal::fromText(u"1.025"));
    // Listed and shown at once, by rising draft, the missing MCTC blank.
    QCOMPARE(part<QTableWidget>("tblTables")->rowCount(), 1);
    QCOMPARE(part<QTableWidget>("tblTables")->item(0, 4)->text(), text("3"));
    QCOMPARE(shownCell(0, 0), text("7.5"));
    QCOMPARE(shownCell(1, 3), text("2.4"));
    QCOMPARE(shownCell(1, 4), QString());
    QCOMPARE(m_db->host.mask, text("Delete Close"));
    QVERIFY(m_db->messages.shown().isEmpty());
}

// clang-format off
void TestShipTablesWindow::refusedTableIsNotStored_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("density");
    QTest::addColumn<bool>("fromAftPerpendicular");
    QTest::addColumn<QString>("refusal");
    // A line of the audit that tells why, when the audit does.
    QTest::addColumn<QString>("said");

    QTest::newRow("draft twice")
        << text("Draft,Displacement\n7.5,15000\n7.5,15100\n") << text("1.025") << false
        << text(AuditRefusal) << text("Line 3 gives the draft 7.5 m again (line 2).");
    QTest::newRow("one row")
        << text("Draft,Displacement\n7.5,15000\n") << text("1.025") << false
        << text(AuditRefusal) << text("A table needs at least two rows.");
    QTest::newRow("decimal comma declared a point")
        << text("Draft;Displacement\n7,5;15000\n7,6;15250\n") << text("1.025") << false
        << text(AuditRefusal) << QString();
    QTest::newRow("no density")
        << text("Draft,Displacement\n7.5,15000\n7.6,15250\n") << text("0") << false
        << text("The density must be a figure above 0, written with the decimal separator chosen.")
        << QString();
    QTest::newRow("aft perpendicular without LBP")
        << text("Draft,Displacement,LCF\n7.5,15000,52.5\n7.6,15250,52.4\n") << text("1.025") << true
        << text("The ship has no LBP, and an LCF from the aft perpendicular cannot be placed "
                "without it: enter the LBP on Ship Particulars first.")
        << QString();
}
// clang-format on

void TestShipTablesWindow::refusedTableIsNotStored() {
    QFETCH(QString, table);
    QFETCH(QString, density);
    QFETCH(bool, fromAftPerpendicular);
    QFETCH(QString, refusal);
    QFETCH(QString, said);

    gcnnStore->execute(QStringLiteral("UPDATE Ship SET LBP = NULL WHERE ShipID = ?"), {m_ship});
    m_window->showShip(m_ship);
    QCOMPARE(part<QLabel>("lblLBP")->text(), text("No LBP given"));
    QStringList audit;
    inPreview("cmdPaste", [&](QDialog& preview) {
        partOf<QPlainTextEdit>(preview, "txtTableText")->setPlainText(table);
        partOf<QComboBox>(preview, "cmbLcfOrigin")->setCurrentIndex(fromAftPerpendicular ? 1 : 0);
        partOf<QLineEdit>(preview, "txtDensity")->setText(density);
        QCOMPARE(partOf<QLabel>(preview, "lblRefusal")->text(), refusal);
        audit = listed(*partOf<QListWidget>(preview, "lstAudit"));
        auto* store = partOf<QPushButton>(preview, "cmdStore");
        QVERIFY(!store->isEnabled());
        QTest::mouseClick(store, Qt::LeftButton);
        QVERIFY(preview.isVisible());
    });
    if (!said.isEmpty())
        QVERIFY2(audit.contains(said), qPrintable(audit.join(QLatin1Char('|'))));
    QVERIFY(storedTables().isEmpty());
    QCOMPARE(part<QTableWidget>("tblTables")->rowCount(), 0);
}

void TestShipTablesWindow::lcfFromTheAftPerpendicularIsStoredFromAmidships() {
    inPreview("cmdPaste", [&](QDialog& preview) {
        partOf<QPlainTextEdit>(preview, "txtTableText")
            ->setPlainText(text("Draft,Displacement,LCF\n7.5,15000,52.5\n7.6,15250,47.6\n"));
        partOf<QComboBox>(preview, "cmbLcfOrigin")->setCurrentIndex(1);
        partOf<QComboBox>(preview, "cmbLcfPositive")->setCurrentIndex(1);
        QTest::mouseClick(partOf<QPushButton>(preview, "cmdStore"), Qt::LeftButton);
    });
    QCOMPARE(part<QTableWidget>("tblTables")->item(0, 1)->text(), text("Aft perpendicular"));
    QCOMPARE(part<QTableWidget>("tblTables")->item(0, 2)->text(), text("Forward"));
    // LBP 100: 52.5 forward of the aft perpendicular is 2.5 forward of
    // amidships.
    QCOMPARE(shownCell(0, 3), text("-2.5"));
    QCOMPARE(shownCell(1, 3), text("2.4"));
}

void TestShipTablesWindow::unreadableFileIsSaidAndNothingOpens() {
    const QString missing = m_db->folder.filePath(text("missing.csv"));
    m_files->answers = QStringList{missing};
    QTest::mouseClick(part<QPushButton>("cmdImportFile"), Qt::LeftButton);
    QCOMPARE(m_db->messages.shown().size(), 1);
    QVERIFY(m_db->messages.texts().first().contains(missing));
    QVERIFY(!QApplication::activeModalWidget());
    // A cancelled choice says nothing.
    QTest::mouseClick(part<QPushButton>("cmdImportFile"), Qt::LeftButton);
    QCOMPARE(m_db->messages.shown().size(), 1);
    QCOMPARE(m_files->asked, 2);
}

void TestShipTablesWindow::deleteAsksFirst_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestShipTablesWindow::deleteAsksFirst() {
    QFETCH(bool, yes);
    storeTable(text("first"), {row("7.5", "15000", "2.5"), row("7.6", "15250", "2.4")});
    const qint64 second =
        storeTable(text("second"), {row("7.5", "15010", "2.5"), row("7.6", "15260", "2.4")});
    m_window->showShip(m_ship);
    auto* tables = part<QTableWidget>("tblTables");
    tables->selectRow(tables->findItems(text("second"), Qt::MatchExactly).first()->row());
    m_db->messages.queueAnswer(yes ? MessageAnswer::Yes : MessageAnswer::No);
    QTest::mouseClick(part<QPushButton>("cmdDelete"), Qt::LeftButton);

    QCOMPARE(m_db->messages.texts(), texts({"Are you sure to delete the selected table ?"}));
    QCOMPARE(m_db->messages.shown().first().defaultAnswer, MessageAnswer::No);
    QList<qint64> left;
    for (const ShipTable& table : storedTables())
        left.append(table.id);
    QCOMPARE(left.contains(second), !yes);
    QCOMPARE(left.size(), yes ? 1 : 2);
    QCOMPARE(tables->rowCount(), left.size());
}

void TestShipTablesWindow::exportWritesTheCsv() {
    TableRow noLcf = row("7.6", "15250", "");
    storeTable(text("Booklet"), {row("7.5", "15000", "2.5"), noLcf});
    m_window->showShip(m_ship);
    const QString path = m_db->folder.filePath(text("out.csv"));
    m_files->answers = QStringList{path};
    QTest::mouseClick(part<QPushButton>("cmdExport"), Qt::LeftButton);
    QVERIFY(m_files->proposed.startsWith(text("Kobe Trader")));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(written.readAll()),
             text("Draft,Displacement,LCF\n7.5,15000,2.5\n7.6,15250,\n"));
    QVERIFY(m_db->messages.shown().isEmpty());
}

void TestShipTablesWindow::listFollowsTheShipChosen() {
    storeTable(text("Booklet"), {row("7.5", "15000", "2.5"), row("7.6", "15250", "2.4")});
    m_window->showShip(m_ship);
    auto* ships = part<QComboBox>("cmbShip");
    QCOMPARE(ships->currentText(), text("Kobe Trader"));
    QCOMPARE(part<QLabel>("lblLBP")->text(), text("LBP 100 m"));
    QCOMPARE(part<QTableWidget>("tblTables")->rowCount(), 1);
    QVERIFY(part<QPushButton>("cmdExport")->isEnabled());

    ships->setCurrentIndex(ships->findText(text("Coral Meridian")));
    QCOMPARE(part<QTableWidget>("tblTables")->rowCount(), 0);
    QCOMPARE(part<QTableView>("grdRows")->model()->rowCount(), 0);
    QVERIFY(!part<QPushButton>("cmdExport")->isEnabled());
    QVERIFY(!part<QPushButton>("cmdDelete")->isEnabled());
    QCOMPARE(m_db->host.mask, text("Close"));
    // Delete from the toolbar with no table chosen asks nothing.
    m_window->RDelete();
    QVERIFY(m_db->messages.shown().isEmpty());
}

void TestShipTablesWindow::tabWalksTheWindow() {
    storeTable(text("Booklet"), {row("7.5", "15000", "2.5"), row("7.6", "15250", "2.4")});
    m_window->showShip(m_ship);
    part("cmbShip")->setFocus();
    QStringList path{focusName()};
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        path.append(focusName());
    }
    QCOMPARE(path, texts({"cmbShip", "tblTables", "grdRows", "cmdImportFile", "cmdPaste",
                          "cmdExport", "cmdDelete", "cmbShip"}));
}

void TestShipTablesWindow::keysInThePreview() {
    frmTableImport preview(text("Draft,Displacement\n7.5,15000\n7.6,15250\n"),
                           Decimal::fromText(u"100"));
    QVERIFY(showActive(preview));
    // The text to paste into has the keyboard.
    QCOMPARE(focusName(), text("txtTableText"));
    QStringList path{focusName()};
    for (int i = 0; i < 11; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        path.append(focusName());
    }
    QCOMPARE(path, texts({"txtTableText", "cmbSeparator", "txtDensity", "txtTrim", "cmbLcfOrigin",
                          "cmbLcfPositive", "txtSource", "cmbRole1", "cmbRole2", "lstAudit",
                          "cmdStore", "cmdCancel"}));
    // Enter in a field moves on and never stores.
    partOf<QLineEdit>(preview, "txtDensity")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(preview.isVisible());
    QCOMPARE(focusName(), text("txtTrim"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!preview.isVisible());
    QCOMPARE(preview.result(), int(QDialog::Rejected));
}

void TestShipTablesWindow::figureEditedThroughTheAudit_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<QString>("stored");
    const QString question = text("The audit says of the table with this figure:\n\n"
                                  "Line 4: Displacement 15900 is out of line with the rows round "
                                  "it (about 15750 would follow them).\n\nStore it all the "
                                  "same?");
    const auto refused = [](const char* why) {
        return QStringList{text("The figure is not stored:\r\n\r\n") + text(why)};
    };
    QTest::newRow("in line") << 1 << text("15750.0") << false << QStringList() << text("15750");
    QTest::newRow("out of line, kept")
        << 1 << text("15900") << true << QStringList{question} << text("15900");
    QTest::newRow("out of line, dropped")
        << 1 << text("15900") << false << QStringList{question} << text("15750");
    QTest::newRow("no figure") << 1 << text("15 750") << false
                               << refused("\"15 750\" is no figure.") << text("15750");
    QTest::newRow("a draft twice")
        << 0 << text("7.7") << false << refused("Line 4 gives the draft 7.7 m again (line 3).")
        << text("7.8");
}

void TestShipTablesWindow::figureEditedThroughTheAudit() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(bool, yes);
    QFETCH(QStringList, said);
    QFETCH(QString, stored);
    QList<TableRow> rows;
    int displacement = 15000;
    for (const char* draft :
         {"7.5", "7.6", "7.7", "7.8", "7.9", "8.0", "8.1", "8.2", "8.3", "8.4", "8.5"}) {
        rows.append(row(draft, qPrintable(QString::number(displacement)), "2.5"));
        displacement += 250;
    }
    const qint64 id = storeTable(text("Booklet"), rows);
    m_window->showShip(m_ship);
    QVERIFY(!shownCell(3, column).isEmpty());
    auto* view = part<QTableView>("grdRows");
    const QModelIndex cell = view->model()->index(3, column);
    view->setCurrentIndex(cell);
    view->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    m_db->messages.queueAnswer(yes ? MessageAnswer::Yes : MessageAnswer::No);
    QTest::keyClicks(editor, typed);
    if (qEnvironmentVariableIsSet("CALVANE_SCREENSHOT"))
        m_window->grab().save(qEnvironmentVariable("CALVANE_SCREENSHOT"));
    const QPointer<QLineEdit> open = editor;
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits and closes its editor once back in the event loop.
    QTRY_VERIFY(!open);

    QCOMPARE(m_db->messages.texts(), said);
    const TableRow kept = Register(*gcnnStore).shipTable(id)->rows.at(3);
    QCOMPARE(*kept[TableColumn(column)], Decimal::fromText(stored));
    QCOMPARE(shownCell(3, column), Decimal::fromText(stored).toString());
}

void TestShipTablesWindow::rowsAreReadAPageAtATime() {
    QList<TableRow> many;
    for (int n = 0; n < 600; ++n)
        many.append(row(qPrintable(QString::number(4 + n) + QStringLiteral(".0")),
                        qPrintable(QString::number(8000 + 250 * n)), "1.5"));
    storeTable(text("Long"), many);
    m_window->showShip(m_ship);
    auto* rows = part<QTableView>("grdRows");
    QTRY_COMPARE(rows->model()->rowCount(), ShipTableModel::pageRows);
    QCOMPARE(part<QTableWidget>("tblTables")->item(0, 4)->text(), text("600"));
    rows->scrollToBottom();
    QTRY_COMPARE(rows->model()->rowCount(), 512);
    rows->scrollToBottom();
    QTRY_COMPARE(rows->model()->rowCount(), 600);
    QCOMPARE(shownCell(599, 0), text("603"));
}

QTEST_MAIN(TestShipTablesWindow)
#include "test_ship_tables_window.moc"
