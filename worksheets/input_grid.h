#pragma once

#include <QColor>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

class QLineEdit;
class QTableWidget;

// Rows as high as a line of text needs and no more, so that the sheet
// fits a laptop's screen.
void compactRows(QTableWidget& table);

// A grid whose cells are never typed into: one editor box lies over the
// current cell and is committed into it when the current cell changes.
// Cells are addressed as the worksheet numbers them: the header row (when
// the grid has one) is row 0 and the label column is column 0; both are the
// table's headers, so they can never become current.
class InputGrid : public QObject {
    Q_OBJECT

public:
    static QColor readOnlyColour() { return QColor(253, 252, 210); }
    // Cells filled from the ship's table rather than typed.
    static QColor filledColour() { return QColor(221, 235, 247); }

    // `hasHeaderRow`: the first data row is row 1, else row 0.
    InputGrid(QTableWidget& table, QLineEdit& editor, bool hasHeaderRow);

    QTableWidget& table() const { return m_table; }
    QLineEdit& editor() const { return m_editor; }

    // Clears the grid and lays it out: the column headers (from column 1)
    // and the row labels.
    void layOut(const QStringList& columnHeaders, const QStringList& rowLabels);
    int firstRow() const { return m_firstRow; }
    int lastRow() const;
    int lastColumn() const;

    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    void setReadOnly(int row, int column);
    // A text not typed by the user: the cell is tinted, with `note` as its
    // tooltip, until it is given another text or the marks are cleared.
    void setFilledText(int row, int column, const QString& text, const QString& note);
    bool isFilled(int row, int column) const { return m_filled.contains({row, column}); }
    // Every cell counts as typed again; the texts stay.
    void clearFilled();
    bool isReadOnly(int row, int column) const { return m_readOnly.contains({row, column}); }

    int row() const;
    int column() const;
    // Makes a cell current: the cell left is committed, the editor moves to
    // the new one and, when `focus`, takes the focus.
    void setCurrent(int row, int column, bool focus = true);

    // Keeps the editor over the current cell and locks it on a read-only one.
    void placeEditor();
    // Puts the current cell's text into the editor.
    void showCurrentInEditor();

    // Called after a commit wrote a changed, non-empty text into a cell,
    // with the editor's text as typed.
    std::function<void(int row, int column, const QString& typed)> committed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void currentChanged(int row, int column, int previousRow, int previousColumn);
    void commit(int row, int column);
    void enter(bool focus);
    void fitHeight();
    void unmark(int row, int column);

    QTableWidget& m_table;
    QLineEdit& m_editor;
    int m_firstRow;
    QSet<QPair<int, int>> m_readOnly;
    QSet<QPair<int, int>> m_filled;
    bool m_focusOnEnter = true;
};
