#include "draft_grids.h"

#include "draft.h"
#include "field_rules.h"
#include "hydrostatic_table.h"
#include "message_service.h"
#include "rowset.h"
#include "table_rows.h"

#include <QLineEdit>
#include <QTableWidget>

namespace {

// Shows the refusal of a verdict, if any; true when the value was accepted.
bool showVerdict(const FieldVerdict& verdict) {
    if (!verdict.accepted)
        messageService().show(verdict.refusal);
    return verdict.accepted;
}

void putGrid(InputGrid& grid, const VariantGrid& values) {
    grid.editor().clear();
    for (int row = 0; row < values.size(); ++row) {
        for (int column = 0; column < values[row].size(); ++column)
            grid.setText(row + 1, column + 1, values[row][column].toText());
    }
    grid.showCurrentInEditor();
}

void putDifferences(InputGrid& grid, const QList<QStringList>& rows, int columns) {
    for (int column = 0; column < columns; ++column)
        grid.setText(3, column + 1, rows[Difference][column]);
}

} // namespace

DraftGrids::DraftGrids(Worksheet kind, Parts hydrostatics, Parts mctcPlus50, Parts mctcMinus50,
                       Parts deductions)
    : m_kind(kind),
      m_hydrostatics(std::make_unique<InputGrid>(hydrostatics.table, hydrostatics.editor, true)),
      m_mctcPlus50(std::make_unique<InputGrid>(mctcPlus50.table, mctcPlus50.editor, true)),
      m_mctcMinus50(std::make_unique<InputGrid>(mctcMinus50.table, mctcMinus50.editor, true)),
      m_deductions(std::make_unique<InputGrid>(deductions.table, deductions.editor, false)) {
    m_hydrostatics->committed = [this](int row, int column, const QString& typed) {
        if (column == 1 && row <= 2)
            refillMCTCDrafts(row, typed);
    };
}

DraftGrids::~DraftGrids() = default;

void DraftGrids::layOut(const QList<DeductionItem>& items) {
    const QStringList hydrostaticRows =
        QStringList{QStringLiteral("Below"), QStringLiteral("Above"), QStringLiteral("Difference")};
    m_hydrostatics->layOut(QStringList{QStringLiteral("Hyd. Draft"), QStringLiteral("Displacement"),
                                       QStringLiteral("TPC"), QStringLiteral("LCF"),
                                       QStringLiteral("MCTC+50"), QStringLiteral("MCTC-50")},
                           hydrostaticRows);
    for (int column = 1; column <= 4; ++column)
        m_hydrostatics->setReadOnly(3, column);
    m_hydrostatics->setCurrent(1, 1, false);
    m_mctcPlus50->layOut(QStringList{QStringLiteral("Hyd. Draft"), QStringLiteral("MCTC+50")},
                         hydrostaticRows);
    m_mctcMinus50->layOut(QStringList{QStringLiteral("Hyd.Draft"), QStringLiteral("MCTC-50")},
                          hydrostaticRows);
    for (InputGrid* grid : {m_mctcPlus50.get(), m_mctcMinus50.get()}) {
        for (int row = 1; row <= 3; ++row)
            grid->setReadOnly(row, 1);
        grid->setReadOnly(3, 2);
        grid->setCurrent(1, 2, false);
    }
    m_itemIDs.clear();
    QStringList names;
    for (const DeductionItem& item : items) {
        m_itemIDs.append(item.id);
        names.append(item.name);
    }
    if (!names.isEmpty()) {
        m_deductions->layOut({QStringLiteral("Quantity")}, names);
        m_deductions->setCurrent(0, 1, false);
    }
    for (InputGrid* grid :
         {m_deductions.get(), m_hydrostatics.get(), m_mctcPlus50.get(), m_mctcMinus50.get()})
        grid->editor().clear();
}

void DraftGrids::readInto(DraftEntry& e) const {
    const InputGrid& h = *m_hydrostatics;
    e.below = {h.text(1, 1), h.text(1, 2), h.text(1, 3), h.text(1, 4)};
    e.above = {h.text(2, 1), h.text(2, 2), h.text(2, 3), h.text(2, 4)};
    e.mctcPlus50Below = m_mctcPlus50->text(1, 2);
    e.mctcPlus50Above = m_mctcPlus50->text(2, 2);
    e.mctcMinus50Below = m_mctcMinus50->text(1, 2);
    e.mctcMinus50Above = m_mctcMinus50->text(2, 2);
    e.deductions.clear();
    for (int n = 0; n < m_itemIDs.size(); ++n) {
        const QString quantity = m_deductions->text(n, 1).trimmed();
        if (!quantity.isEmpty())
            e.deductions.insert(m_itemIDs.at(n), quantity);
    }
}

void DraftGrids::show(const DraftEntry& e) {
    const HydrostaticLine lines[] = {e.below, e.above};
    for (int row = 1; row <= 2; ++row) {
        const HydrostaticLine& line = lines[row - 1];
        const QString values[] = {line.draft, line.displacement, line.tpc, line.lcf};
        for (int column = 1; column <= 4; ++column)
            m_hydrostatics->setText(row, column, values[column - 1]);
        refillMCTCDrafts(row, line.draft);
    }
    m_mctcPlus50->setText(1, 2, e.mctcPlus50Below);
    m_mctcPlus50->setText(2, 2, e.mctcPlus50Above);
    m_mctcMinus50->setText(1, 2, e.mctcMinus50Below);
    m_mctcMinus50->setText(2, 2, e.mctcMinus50Above);
    for (int n = 0; n < m_itemIDs.size(); ++n)
        m_deductions->setText(n, 1, e.deductions.value(m_itemIDs.at(n)));
    for (InputGrid* grid :
         {m_hydrostatics.get(), m_mctcPlus50.get(), m_mctcMinus50.get(), m_deductions.get()})
        grid->showCurrentInEditor();
}

void DraftGrids::forEachTableCell(
    const TableFill& fill,
    const std::function<void(InputGrid& grid, int row, int column, const QString& text)>& visit) {
    const HydrostaticLine lines[] = {fill.below, fill.above};
    for (int row = 1; row <= 2; ++row) {
        const HydrostaticLine& line = lines[row - 1];
        const QString values[] = {line.draft, line.displacement, line.tpc, line.lcf};
        for (int column = 1; column <= 4; ++column)
            visit(*m_hydrostatics, row, column, values[column - 1]);
    }
    visit(*m_mctcPlus50, 1, 2, fill.mctcPlus50Below);
    visit(*m_mctcPlus50, 2, 2, fill.mctcPlus50Above);
    visit(*m_mctcMinus50, 1, 2, fill.mctcMinus50Below);
    visit(*m_mctcMinus50, 2, 2, fill.mctcMinus50Above);
}

void DraftGrids::fillFromTable(const TableFill& fill, const QString& note) {
    forEachTableCell(fill, [&note](InputGrid& grid, int row, int column, const QString& text) {
        if (!grid.isFilled(row, column) && !grid.text(row, column).isEmpty())
            return; // typed by the user
        if (text.isEmpty())
            grid.setText(row, column, QString()); // no longer the table's figure
        else
            grid.setFilledText(row, column, text, note);
    });
    for (int row = 1; row <= 2; ++row)
        refillMCTCDrafts(row, m_hydrostatics->text(row, 1));
    for (InputGrid* grid : {m_hydrostatics.get(), m_mctcPlus50.get(), m_mctcMinus50.get()})
        grid->showCurrentInEditor();
}

void DraftGrids::markFromTable(const TableFill& fill, const QString& note) {
    forEachTableCell(fill, [&note](InputGrid& grid, int row, int column, const QString& text) {
        if (!text.isEmpty() && grid.text(row, column) == text)
            grid.setFilledText(row, column, text, note);
    });
}

bool DraftGrids::rowsTyped() const {
    const auto typed = [this](int row) {
        return !m_hydrostatics->isFilled(row, 2) && !m_hydrostatics->text(row, 2).isEmpty();
    };
    return typed(1) && typed(2);
}

bool DraftGrids::rowsFromTable() const {
    return m_hydrostatics->isFilled(1, 2) && m_hydrostatics->isFilled(2, 2);
}

void DraftGrids::showRows(const clsDraft& draft) {
    putGrid(*m_hydrostatics, draft.HDT());
    putGrid(*m_mctcPlus50, draft.MCTCP50());
    putGrid(*m_mctcMinus50, draft.MCTCM50());
}

void DraftGrids::showDifferences(const HydrostaticTexts& grids) {
    putDifferences(*m_hydrostatics, grids.hdt, 4);
    putDifferences(*m_mctcPlus50, grids.mctcPlus50, 2);
    putDifferences(*m_mctcMinus50, grids.mctcMinus50, 2);
}

QMap<int, QString> DraftGrids::quantities() const {
    QMap<int, QString> quantities;
    for (int n = 0; n < m_itemIDs.size(); ++n)
        quantities.insert(m_itemIDs.at(n), m_deductions->text(n, 1));
    return quantities;
}

void DraftGrids::showDeductions(clsDraft& draft) {
    if (m_itemIDs.isEmpty())
        return;
    const auto setAll = [this](const QString& text) {
        for (int row = 0; row <= m_deductions->lastRow(); ++row)
            m_deductions->setText(row, 1, text);
    };
    setAll(QString());
    m_deductions->editor().clear();
    if (!draft.ToSave() && !draft.HasRecord())
        return;
    RowSet& rs = draft.Deductions();
    if (rs.recordCount() == 0) {
        if (draft.HasRecord())
            setAll(QStringLiteral("0"));
    } else {
        if (m_kind == Worksheet::Discharging)
            setAll(QStringLiteral("0"));
        for (rs.moveFirst(); !rs.atEnd(); rs.moveNext()) {
            const int n = m_itemIDs.indexOf(int(rs.field(QStringLiteral("ItemID")).toWhole()));
            const Variant quantity = rs.field(QStringLiteral("Quantity"));
            const bool none = quantity.toDecimal().isZero() && !draft.HasRecord();
            if (n >= 0)
                m_deductions->setText(n, 1, none ? QString() : quantity.toText());
        }
    }
    m_deductions->showCurrentInEditor();
}

void DraftGrids::commitPendingEdits() {
    for (InputGrid* grid : {m_hydrostatics.get(), m_mctcPlus50.get(), m_mctcMinus50.get()}) {
        if (!grid->isReadOnly(grid->row(), grid->column()))
            grid->setText(grid->row(), grid->column(), grid->editor().text());
    }
}

InputGrid* DraftGrids::gridOf(const QWidget* editor) const {
    for (InputGrid* grid :
         {m_hydrostatics.get(), m_mctcPlus50.get(), m_mctcMinus50.get(), m_deductions.get()}) {
        if (&grid->editor() == editor)
            return grid;
    }
    return nullptr;
}

InputGrid& DraftGrids::gridOfEditorNamed(const QString& objectName) const {
    for (InputGrid* grid : {m_hydrostatics.get(), m_mctcPlus50.get(), m_mctcMinus50.get()}) {
        if (grid->editor().objectName() == objectName)
            return *grid;
    }
    return *m_deductions;
}

QList<DraftGrids::Cell> DraftGrids::entryCells(const InputGrid& grid) const {
    QList<Cell> cells;
    if (&grid == m_deductions.get()) {
        for (int row = 0; row <= grid.lastRow(); ++row)
            cells.append({row, 1});
        return cells;
    }
    // Below then Above, column by column; the MCTC tables' drafts follow
    // the hydrostatic draft and are not typed.
    const bool hydrostatic = &grid == m_hydrostatics.get();
    for (int column = hydrostatic ? 1 : 2; column <= (hydrostatic ? 4 : 2); ++column) {
        cells.append({1, column});
        cells.append({2, column});
    }
    return cells;
}

void DraftGrids::enter(InputGrid& grid, bool forward) {
    const QList<Cell> cells = entryCells(grid);
    if (cells.isEmpty())
        return;
    const Cell cell = forward ? cells.first() : cells.last();
    grid.setCurrent(cell.first, cell.second, false);
}

DraftGrids::Step DraftGrids::step(InputGrid& grid, bool forward) {
    const QList<Cell> cells = entryCells(grid);
    const qsizetype at = cells.indexOf(Cell(grid.row(), grid.column()));
    if (at < 0)
        return Step::Outside;
    // The value is checked before it is committed: a value out of range
    // never reaches the cell.
    if (!checkEditor(grid))
        return Step::Stayed;
    const qsizetype next = at + (forward ? 1 : -1);
    if (next < 0 || next >= cells.size())
        return Step::Left;
    grid.setCurrent(cells.at(next).first, cells.at(next).second);
    return Step::Stayed;
}

void DraftGrids::stepDeductions(int key) {
    if (!checkEditor(*m_deductions))
        return;
    const int row = m_deductions->row();
    if (key == Qt::Key_Up && row > 0)
        m_deductions->setCurrent(row - 1, 1);
    if (key == Qt::Key_Down && row < m_deductions->lastRow())
        m_deductions->setCurrent(row + 1, 1);
}

void DraftGrids::hydrostaticDraftTyped(const QString& text) {
    const int row = m_hydrostatics->row();
    if (m_hydrostatics->column() != 1 || row < 1 || row > 2)
        return;
    if (!text.isEmpty() && !isNumericText(text))
        return;
    refillMCTCDrafts(row, text);
}

void DraftGrids::refillMCTCDrafts(int row, const QString& hydrostaticDraft) {
    for (InputGrid* grid : {m_mctcPlus50.get(), m_mctcMinus50.get()}) {
        const QString draft = mctcDraftText(hydrostaticDraft, grid == m_mctcPlus50.get());
        grid->setText(row, 1, draft);
        if (grid->row() == row && grid->column() == 1)
            grid->editor().setText(draft);
    }
}

bool DraftGrids::checkEditor(InputGrid& grid) {
    if (&grid == m_hydrostatics.get())
        return checkHydrostaticEditor();
    if (&grid == m_deductions.get())
        return checkDeductionEditor();
    return checkMCTCEditor(grid);
}

bool DraftGrids::checkHydrostaticEditor() {
    const int row = m_hydrostatics->row();
    const int column = m_hydrostatics->column();
    if (row == 3)
        return true;
    const QString header = m_hydrostatics->text(0, column);
    const std::pair<const char*, SurveyField> rules[] = {
        {"Hyd. Draft", SurveyField::HydDraft},
        {"Displacement", SurveyField::Displacement},
        {"TPC", SurveyField::TPC},
        {"LCF", SurveyField::LCF}};
    for (const auto& [name, rule] : rules) {
        if (header != QString::fromLatin1(name))
            continue;
        QLineEdit& editor = m_hydrostatics->editor();
        const FieldVerdict verdict =
            checkField(rule, m_kind, editor.text(), m_hydrostatics->text(row, column));
        if (verdict.blank)
            return true;
        editor.setText(verdict.text);
        if (!verdict.accepted && !verdict.text.isEmpty())
            editor.selectAll();
        return showVerdict(verdict);
    }
    return true;
}

bool DraftGrids::checkMCTCEditor(InputGrid& grid) {
    const int row = grid.row();
    const int column = grid.column();
    if (row > 2 || column < 2)
        return true;
    const SurveyField rule =
        &grid == m_mctcPlus50.get() ? SurveyField::MCTCPlus50 : SurveyField::MCTCMinus50;
    QLineEdit& editor = grid.editor();
    const FieldVerdict verdict = checkField(rule, m_kind, editor.text(), grid.text(row, column));
    if (verdict.blank)
        return true;
    editor.setText(verdict.text);
    if (!verdict.accepted)
        editor.selectAll();
    return showVerdict(verdict);
}

bool DraftGrids::checkDeductionEditor() {
    QLineEdit& editor = m_deductions->editor();
    const int row = m_deductions->row();
    const QString trimmed = editor.text().trimmed();
    if (row < 0 || trimmed == m_deductions->text(row, 1))
        return true;
    if (trimmed.isEmpty()) {
        m_deductions->setText(row, 1, QString());
        return true;
    }
    const FieldVerdict verdict = checkField(SurveyField::Deduction, m_kind, editor.text());
    editor.setText(verdict.text);
    if (!showVerdict(verdict))
        return false;
    m_deductions->setText(row, 1, verdict.text);
    if (deductionChanged)
        deductionChanged();
    return true;
}
