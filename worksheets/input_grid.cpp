#include "input_grid.h"

#include "field_rules.h"

#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>

void compactRows(QTableWidget& table) {
    // The editor over a cell needs the line and its frame.
    const int height = table.fontMetrics().height() + 6;
    table.verticalHeader()->setMinimumSectionSize(height);
    table.verticalHeader()->setDefaultSectionSize(height);
}

InputGrid::InputGrid(QTableWidget& table, QLineEdit& editor, bool hasHeaderRow)
    : QObject(&table), m_table(table), m_editor(editor), m_firstRow(hasHeaderRow ? 1 : 0) {
    compactRows(m_table);
    m_table.horizontalHeader()->setVisible(hasHeaderRow);
    m_table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table.setSelectionMode(QAbstractItemView::NoSelection);
    connect(&m_table, &QTableWidget::currentCellChanged, this, &InputGrid::currentChanged);
    m_table.installEventFilter(this);
    m_table.viewport()->installEventFilter(this);
}

void InputGrid::layOut(const QStringList& columnHeaders, const QStringList& rowLabels) {
    const bool wasBlocked = m_table.blockSignals(true);
    m_table.clear();
    m_readOnly.clear();
    m_filled.clear();
    m_table.setColumnCount(int(columnHeaders.size()));
    m_table.setRowCount(int(rowLabels.size()));
    m_table.setHorizontalHeaderLabels(columnHeaders);
    m_table.setVerticalHeaderLabels(rowLabels);
    for (int r = 0; r < m_table.rowCount(); ++r) {
        for (int c = 0; c < m_table.columnCount(); ++c) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignTop);
            m_table.setItem(r, c, item);
        }
    }
    m_table.blockSignals(wasBlocked);
    fitHeight();
}

void InputGrid::fitHeight() {
    // The whole grid shows without scrolling; the header knows its height
    // only once the grid is laid out.
    const QHeaderView& header = *m_table.horizontalHeader();
    const int headerHeight =
        header.isVisible() ? std::max(header.height(), header.sizeHint().height()) : 0;
    m_table.setFixedHeight(headerHeight + m_table.verticalHeader()->length() +
                           2 * m_table.frameWidth());
}

int InputGrid::lastRow() const {
    return m_table.rowCount() - 1 + m_firstRow;
}

int InputGrid::lastColumn() const {
    return m_table.columnCount();
}

QString InputGrid::text(int row, int column) const {
    if (m_firstRow == 1 && row == 0) {
        const QTableWidgetItem* header = m_table.horizontalHeaderItem(column - 1);
        return header ? header->text() : QString();
    }
    if (column == 0) {
        const QTableWidgetItem* label = m_table.verticalHeaderItem(row - m_firstRow);
        return label ? label->text() : QString();
    }
    const QTableWidgetItem* cell = m_table.item(row - m_firstRow, column - 1);
    return cell ? cell->text() : QString();
}

void InputGrid::setText(int row, int column, const QString& text) {
    QTableWidgetItem* cell = m_table.item(row - m_firstRow, column - 1);
    if (!cell)
        return;
    // A filled cell given another text is no longer the table's.
    if (cell->text() != text)
        unmark(row, column);
    cell->setText(text);
}

void InputGrid::setReadOnly(int row, int column) {
    m_readOnly.insert({row, column});
    if (QTableWidgetItem* cell = m_table.item(row - m_firstRow, column - 1))
        cell->setBackground(readOnlyColour());
}

void InputGrid::setFilledText(int row, int column, const QString& text, const QString& note) {
    QTableWidgetItem* cell = m_table.item(row - m_firstRow, column - 1);
    if (!cell)
        return;
    cell->setText(text);
    cell->setBackground(filledColour());
    cell->setToolTip(note);
    m_filled.insert({row, column});
}

void InputGrid::unmark(int row, int column) {
    if (!m_filled.remove({row, column}))
        return;
    if (QTableWidgetItem* cell = m_table.item(row - m_firstRow, column - 1)) {
        cell->setBackground(QBrush());
        cell->setToolTip(QString());
    }
}

void InputGrid::clearFilled() {
    const QSet<QPair<int, int>> filled = m_filled;
    for (const auto& [row, column] : filled)
        unmark(row, column);
}

int InputGrid::row() const {
    return m_table.currentRow() + m_firstRow;
}

int InputGrid::column() const {
    return m_table.currentColumn() + 1;
}

void InputGrid::setCurrent(int row, int column, bool focus) {
    m_focusOnEnter = focus;
    if (row == this->row() && column == this->column())
        enter(focus);
    else
        m_table.setCurrentCell(row - m_firstRow, column - 1);
    m_focusOnEnter = true;
}

void InputGrid::currentChanged(int row, int column, int previousRow, int previousColumn) {
    if (previousRow >= 0 && previousColumn >= 0)
        commit(previousRow + m_firstRow, previousColumn + 1);
    if (row >= 0 && column >= 0)
        enter(m_focusOnEnter);
}

void InputGrid::commit(int row, int column) {
    const QString typed = m_editor.text();
    const QString before = text(row, column);
    const QString after = committedCellText(typed, before);
    if (after != before) {
        setText(row, column, after);
        if (!after.isEmpty() && committed)
            committed(row, column, typed);
    }
    m_editor.clear();
}

void InputGrid::enter(bool focus) {
    placeEditor();
    showCurrentInEditor();
    if (focus)
        m_editor.setFocus(Qt::OtherFocusReason);
}

void InputGrid::showCurrentInEditor() {
    const QString current = text(row(), column());
    if (!current.isEmpty())
        m_editor.setText(current);
}

void InputGrid::placeEditor() {
    const int r = m_table.currentRow();
    const int c = m_table.currentColumn();
    if (r < 0 || c < 0 || !m_editor.parentWidget())
        return;
    const QRect cell = m_table.visualRect(m_table.model()->index(r, c));
    const QPoint topLeft = m_table.viewport()->mapTo(m_editor.parentWidget(), cell.topLeft());
    m_editor.setGeometry(QRect(topLeft, cell.size()));
    m_editor.raise();
    const bool locked = isReadOnly(row(), column());
    m_editor.setReadOnly(locked);
    QPalette palette = m_editor.palette();
    palette.setColor(QPalette::Base,
                     locked ? readOnlyColour() : m_table.palette().color(QPalette::Base));
    m_editor.setPalette(palette);
}

bool InputGrid::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show && watched == &m_table)
        QTimer::singleShot(0, this, &InputGrid::fitHeight);
    if (type == QEvent::Resize || type == QEvent::Move || type == QEvent::Show)
        placeEditor();
    return QObject::eventFilter(watched, event);
}
