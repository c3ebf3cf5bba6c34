#pragma once

#include "enter_as_tab.h"
#include "table_import.h"

#include <QDialog>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;

namespace Ui {
class frmTableImport;
}

// The preview of a table before it is stored: the user declares how the
// figures are written and what the table is for, confirms each column's
// role, and reads the audit line by line. Store stays disabled, with the
// reason shown, while the table may not be stored.
class frmTableImport : public QDialog {
    Q_OBJECT

public:
    // `lbp`: the ship's, when the register has it.
    frmTableImport(const QString& text, const std::optional<Decimal>& lbp,
                   QWidget* parent = nullptr);
    ~frmTableImport() override;

    // The table as last read: the one to store once the dialog is accepted.
    const ShipTable& table() const { return m_import.table; }

private:
    void textChanged();
    void separatorChanged();
    void proposeRoles(const TableText& text);
    ColumnRoles chosenRoles() const;
    TableImportSettings settings() const;
    // Why the table may not be stored as declared; empty when it may.
    QString declarationProblem() const;
    void readAgain();

    std::unique_ptr<Ui::frmTableImport> ui;
    std::optional<Decimal> m_lbp;
    QList<QComboBox*> m_roleChoices;
    QList<QLabel*> m_headings;
    EnterAsTab m_enterAsTab;
    TableImport m_import;
};
