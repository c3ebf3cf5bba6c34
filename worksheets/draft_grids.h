#pragma once

#include "input_grid.h"
#include "register.h"
#include "survey_document.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <functional>
#include <memory>

class clsDraft;
class QLineEdit;
class QTableWidget;
class QWidget;
struct HydrostaticTexts;
struct TableFill;

// The four input grids of a worksheet, each with its editor: the
// hydrostatic lines, the MCTC at the draft plus and minus 0.5 m, and the
// deductions. They hold the grid part of the draft shown and check what is
// typed into them; the worksheet holds the rest.
class DraftGrids {
public:
    // A grid and its editor, as the form lays them out.
    struct Parts {
        QTableWidget& table;
        QLineEdit& editor;
    };
    DraftGrids(Worksheet kind, Parts hydrostatics, Parts mctcPlus50, Parts mctcMinus50,
               Parts deductions);
    ~DraftGrids();

    InputGrid& hydrostatics() const { return *m_hydrostatics; }
    InputGrid& mctcPlus50() const { return *m_mctcPlus50; }
    InputGrid& mctcMinus50() const { return *m_mctcMinus50; }
    InputGrid& deductions() const { return *m_deductions; }

    // Lays the grids out, a deductions row for each item in their order.
    void layOut(const QList<DeductionItem>& items);
    // The deductible items' keys in the order of their rows.
    const QList<int>& itemIDs() const { return m_itemIDs; }

    // The grid part of an entry: the hydrostatic lines, the MCTC figures
    // and the deductions typed (blank ones left out).
    void readInto(DraftEntry& entry) const;
    void show(const DraftEntry& entry);
    // The rows a ship's table gives (`note` names the table): a cell the
    // user typed is kept, any other takes the table's figure, or is emptied
    // where the table gives none.
    void fillFromTable(const TableFill& fill, const QString& note);
    // Marks again the cells that still show the table's figure, as a draft
    // shown anew loses its marks.
    void markFromTable(const TableFill& fill, const QString& note);
    // Both displacements are still the table's.
    bool rowsFromTable() const;
    // Both displacements are typed by the user.
    bool rowsTyped() const;
    // The hydrostatic rows a draft holds, Difference included.
    void showRows(const clsDraft& draft);
    void showDifferences(const HydrostaticTexts& grids);
    // Every item's quantity as its cell holds it, blank or not.
    QMap<int, QString> quantities() const;
    // The deduction quantities a draft holds; blank for a draft not taken.
    void showDeductions(clsDraft& draft);
    // Calculate counts what an editor holds as typed, unrounded.
    void commitPendingEdits();

    // The grid whose editor `editor` is; nothing for any other control.
    InputGrid* gridOf(const QWidget* editor) const;
    // The grid of the editor named so.
    InputGrid& gridOfEditorNamed(const QString& objectName) const;
    // Tabbed into (`forward`) or back into, a grid starts at its first
    // entry cell or its last, so that what is typed next lands where it is
    // seen.
    void enter(InputGrid& grid, bool forward);
    // Enter or Tab in a grid's editor: the value is checked, then the next
    // entry cell (the previous one, going back) is made current.
    enum class Step {
        Outside, // the current cell is no entry cell: nothing was done
        Stayed,  // in the grid: on the next cell, or refused and kept
        Left,    // past the last cell: the focus is to leave the grid
    };
    Step step(InputGrid& grid, bool forward);
    // Up and Down in the deductions' editor, once its value is accepted.
    void stepDeductions(int key);
    // The MCTC tables' drafts follow the hydrostatic draft of `row`.
    void refillMCTCDrafts(int row, const QString& hydrostaticDraft);
    // The same, as the hydrostatic draft is being typed into its editor.
    void hydrostaticDraftTyped(const QString& text);

    // Checks what the grid's editor holds for its cell and shows a
    // refusal; true when it may be committed.
    bool checkEditor(InputGrid& grid);
    // Called when a deduction quantity was accepted into its cell.
    std::function<void()> deductionChanged;

private:
    // A cell as the grids number it: row, column.
    using Cell = QPair<int, int>;
    // The cells Enter and Tab visit, in their order.
    QList<Cell> entryCells(const InputGrid& grid) const;
    bool checkHydrostaticEditor();
    bool checkMCTCEditor(InputGrid& grid);
    bool checkDeductionEditor();
    // Each cell a table fills, with the table's text for it.
    void forEachTableCell(const TableFill& fill,
                          const std::function<void(InputGrid& grid, int row, int column,
                                                   const QString& text)>& visit);

    const Worksheet m_kind;
    std::unique_ptr<InputGrid> m_hydrostatics, m_mctcPlus50, m_mctcMinus50, m_deductions;
    QList<int> m_itemIDs;
};
