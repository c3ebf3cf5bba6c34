#include "frm_ship_tables.h"

#include "file_chooser.h"
#include "frm_table_import.h"
#include "message_service.h"
#include "register.h"
#include "table_edit.h"
#include "table_import.h"
#include "ui_frm_ship_tables.h"

#include <QListView>
#include <QSaveFile>
#include <QSignalBlocker>

namespace {

constexpr Commands NoTableCommands = commandsOf("000000001");
constexpr Commands TableChosenCommands = commandsOf("000000101");

QString lcfOriginText(LcfOrigin origin) {
    return origin == LcfOrigin::Amidships ? QStringLiteral("Amidships")
                                          : QStringLiteral("Aft perpendicular");
}

QString lcfPositiveText(LcfPositive positive) {
    return positive == LcfPositive::Aft ? QStringLiteral("Aft") : QStringLiteral("Forward");
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

frmShipTables::frmShipTables(ChildHost& host, Connection& connection, QWidget* parent)
    : MasterWindow(host, parent), ui(std::make_unique<Ui::frmShipTables>()),
      m_connection(connection) {
    ui->setupUi(this);
    // A register of a hundred thousand ships opens its list at once only
    // with rows of one height.
    if (auto* list = qobject_cast<QListView*>(ui->cmbShip->view()))
        list->setUniformItemSizes(true);
    ui->cmbShip->setModel(&m_ships);
    ui->grdRows->setModel(&m_rows);
    askRegisterAccess(m_connection);
    setToolbar(NoTableCommands);

    connect(ui->cmbShip, &QComboBox::currentIndexChanged, this, &frmShipTables::shipChosen);
    connect(ui->tblTables, &QTableWidget::itemSelectionChanged, this, &frmShipTables::tableChosen);
    connect(ui->cmdImportFile, &QPushButton::clicked, this, &frmShipTables::importFile);
    connect(ui->cmdPaste, &QPushButton::clicked, this, &frmShipTables::importPasted);
    connect(ui->cmdExport, &QPushButton::clicked, this, &frmShipTables::exportChosen);
    connect(ui->cmdDelete, &QPushButton::clicked, this, &frmShipTables::RDelete);

    reportFailure(QStringLiteral("frmShipTables::OpenShipList"), [this] {
        m_ships.load(m_connection, NameList::ships());
        // Read once, below, whether or not the index moves.
        const QSignalBlocker quiet(ui->cmbShip);
        ui->cmbShip->setCurrentIndex(m_ships.rowCount() > 0 ? 0 : -1);
    });
    shipChosen(ui->cmbShip->currentIndex());
}

frmShipTables::~frmShipTables() = default;

void frmShipTables::registerReopened() {
    askRegisterAccess(m_connection);
    const std::optional<qint64> shown = shownShip();
    reportFailure(QStringLiteral("frmShipTables::registerReopened"), [this, shown] {
        m_ships.load(m_connection, NameList::ships());
        const QSignalBlocker quiet(ui->cmbShip);
        ui->cmbShip->setCurrentIndex(shown ? m_ships.rowOfKey(*shown) : -1);
    });
    // The ship's particulars and tables are read again.
    shipChosen(ui->cmbShip->currentIndex());
}

void frmShipTables::showShip(qint64 shipId) {
    reportFailure(QStringLiteral("frmShipTables::showShip"), [this, shipId] {
        // A ship added since the list was read is found after reading it again.
        if (m_ships.rowOfKey(shipId) < 0)
            m_ships.load(m_connection, NameList::ships());
        const int row = m_ships.rowOfKey(shipId);
        // The ship shown already: its tables are read again.
        if (row == ui->cmbShip->currentIndex())
            shipChosen(row);
        else
            ui->cmbShip->setCurrentIndex(row);
    });
}

std::optional<qint64> frmShipTables::shownShip() const {
    const int row = ui->cmbShip->currentIndex();
    if (row < 0)
        return std::nullopt;
    const qint64 key = m_ships.keyAt(row);
    return key < 0 ? std::nullopt : std::optional(key);
}

void frmShipTables::shipChosen(int row) {
    ui->cmdImportFile->setEnabled(row >= 0 && !registerReadOnly());
    ui->cmdPaste->setEnabled(row >= 0 && !registerReadOnly());
    ui->lblLBP->clear();
    reportFailure(QStringLiteral("frmShipTables::shipChosen"), [this] {
        if (const std::optional<qint64> shipId = shownShip()) {
            const std::optional<ShipRecord> ship = Register(m_connection).ship(*shipId);
            ui->lblLBP->setText(ship && ship->lbp
                                    ? QStringLiteral("LBP %1 m").arg(ship->lbp->toString())
                                    : QStringLiteral("No LBP given"));
        }
        listTables();
    });
}

void frmShipTables::listTables() {
    m_tables.clear();
    QList<int> rowCounts;
    if (const std::optional<qint64> shipId = shownShip()) {
        const Register store(m_connection);
        m_tables = store.shipTables(*shipId);
        for (const ShipTable& table : m_tables)
            rowCounts.append(store.tableRowCount(table.id));
    }
    ui->tblTables->clearSelection();
    ui->tblTables->setRowCount(int(m_tables.size()));
    for (int row = 0; row < m_tables.size(); ++row) {
        const TableDeclaration& declaration = m_tables.at(row).declaration;
        ui->tblTables->setItem(row, 0, cell(declaration.density.toString()));
        ui->tblTables->setItem(row, 1, cell(lcfOriginText(declaration.lcfOrigin)));
        ui->tblTables->setItem(row, 2, cell(lcfPositiveText(declaration.lcfPositive)));
        ui->tblTables->setItem(
            row, 3,
            cell(declaration.trim ? declaration.trim->toString() : QStringLiteral("Even keel")));
        ui->tblTables->setItem(row, 4, cell(QString::number(rowCounts.at(row))));
        ui->tblTables->setItem(row, 5, cell(declaration.source));
    }
    ui->tblTables->resizeColumnsToContents();
    if (!m_tables.isEmpty())
        ui->tblTables->selectRow(0);
    tableChosen();
}

std::optional<ShipTable> frmShipTables::chosenTable() const {
    const QList<QTableWidgetSelectionRange> chosen = ui->tblTables->selectedRanges();
    if (chosen.isEmpty())
        return std::nullopt;
    return m_tables.value(chosen.first().topRow());
}

void frmShipTables::tableChosen() {
    const std::optional<ShipTable> table = chosenTable();
    if (table) {
        const qint64 id = table->id;
        const int rows = ui->tblTables->item(ui->tblTables->currentRow(), 4)->text().toInt();
        m_rows.setTable(
            rows,
            [this, id](int first, int count) {
                QList<TableRow> page;
                reportFailure(QStringLiteral("frmShipTables::readRows"),
                              [&] { page = Register(m_connection).tableRows(id, first, count); });
                return page;
            },
            // No figure can be typed into a register that may not be changed.
            registerReadOnly()
                ? ShipTableModel::FigureEditor()
                : [this, id](int row, TableColumn column,
                             const QString& text) { return editFigure(id, row, column, text); });
    } else {
        m_rows.clear();
    }
    ui->cmdExport->setEnabled(table.has_value());
    ui->cmdDelete->setEnabled(table.has_value() && !registerReadOnly());
    setToolbar(table ? TableChosenCommands : NoTableCommands);
}

std::optional<QList<TableRow>> frmShipTables::editFigure(qint64 tableId, int row,
                                                         TableColumn column, const QString& text) {
    std::optional<QList<TableRow>> stored;
    reportFailure(QStringLiteral("frmShipTables::editFigure"), [&] {
        const Register store(m_connection);
        // In the order the rows are shown, which is the order stored.
        const TableRowEdit edit =
            editTableFigure(store.tableRows(tableId, 0, -1), row, column, text);
        if (edit.refusal) {
            showWarning(QStringLiteral("The figure is not stored:"), *edit.refusal);
            return;
        }
        if (!edit.said.isEmpty()) {
            const Message question{
                MessageIcon::Question, applicationTitle(),
                QStringLiteral("The audit says of the table with this figure:\n\n%1\n\n"
                               "Store it all the same?")
                    .arg(edit.said.join(u'\n')),
                MessageButtons::YesNo, MessageAnswer::No};
            if (messageService().show(question) != MessageAnswer::Yes)
                return;
        }
        store.replaceTableRows(tableId, edit.rows);
        stored = edit.rows;
    });
    return stored;
}

void frmShipTables::importFile() {
    const QString path = fileChooser().chooseOpenFile(
        this, QStringLiteral("Import Hydrostatic Table"), host().surveyFolder(),
        QStringLiteral("Tables (*.csv *.tsv *.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    QString problem;
    const std::optional<QString> text = readTableFile(path, problem);
    if (!text) {
        showWarning(QStringLiteral("The table cannot be read from %1:").arg(path), problem);
        return;
    }
    preview(*text);
}

void frmShipTables::importPasted() {
    preview(QString());
}

void frmShipTables::preview(const QString& text) {
    if (registerReadOnly())
        return;
    reportFailure(QStringLiteral("frmShipTables::preview"), [this, &text] {
        const std::optional<qint64> shipId = shownShip();
        if (!shipId)
            return;
        const std::optional<ShipRecord> ship = Register(m_connection).ship(*shipId);
        frmTableImport dialog(text, ship ? ship->lbp : std::nullopt, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        ShipTable table = dialog.table();
        table.shipID = int(*shipId);
        const qint64 stored = Register(m_connection).insertShipTable(table);
        listTables();
        for (int row = 0; row < m_tables.size(); ++row) {
            if (m_tables.at(row).id == stored)
                ui->tblTables->selectRow(row);
        }
    });
}

void frmShipTables::exportChosen() {
    const std::optional<ShipTable> chosen = chosenTable();
    if (!chosen)
        return;
    std::optional<ShipTable> table;
    reportFailure(QStringLiteral("frmShipTables::exportChosen"),
                  [&] { table = Register(m_connection).shipTable(chosen->id); });
    if (!table)
        return;
    const QString proposed = QStringLiteral("%1 hydrostatic table %2.csv")
                                 .arg(m_ships.nameAt(ui->cmbShip->currentIndex()))
                                 .arg(table->id);
    const QString path =
        fileChooser().chooseSaveFile(this, QStringLiteral("Export Hydrostatic Table"), proposed,
                                     QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(exportTable(*table).toUtf8()) < 0 ||
        !file.commit())
        showWarning(QStringLiteral("The table could not be written to %1:").arg(path),
                    file.errorString());
}

void frmShipTables::RDelete() {
    if (!chosenTable() || registerReadOnly())
        return;
    const Message question{MessageIcon::Question, applicationTitle(),
                           QStringLiteral("Are you sure to delete the selected table ?"),
                           MessageButtons::YesNo, MessageAnswer::No};
    if (messageService().show(question) != MessageAnswer::Yes)
        return;
    reportFailure(QStringLiteral("frmShipTables::deleteTable"), [this] { deleteChosen(); });
}

void frmShipTables::deleteChosen() {
    Register(m_connection).deleteShipTable(chosenTable()->id);
    listTables();
}
