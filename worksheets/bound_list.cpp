#include "bound_list.h"

#include "connection.h"
#include "errors.h"
#include "message_service.h"
#include "statement.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>

namespace {

constexpr int pageSize = 256;

QSqlQuery run(const QString& statement, const QList<Variant>& values = {}) {
    if (!gcnnStore)
        throw ProgramError::objectNotSet();
    return runStatement(gcnnStore->database(), statement, values);
}

} // namespace

void NameListModel::load(const QString& table, const QString& keyColumn,
                         const QString& nameColumn) {
    // A database made before the name index existed gets it once; one that
    // cannot be written lists its names more slowly.
    try {
        run(QStringLiteral("CREATE INDEX IF NOT EXISTS ") + table +
            QStringLiteral("NameOrder ON ") + table + QStringLiteral(" (") + nameColumn +
            QStringLiteral(" COLLATE NOCASE)"));
    } catch (const ProgramError&) {
    }
    QSqlQuery count = run(QStringLiteral("SELECT COUNT(*) FROM ") + table);
    const int rows = count.next() ? count.value(0).toInt() : 0;
    beginResetModel();
    m_table = table;
    m_keyColumn = keyColumn;
    m_nameColumn = nameColumn;
    m_count = rows;
    m_pages.clear();
    endResetModel();
}

const NameListModel::Page& NameListModel::page(int row) const {
    const int number = row / pageSize;
    auto found = m_pages.constFind(number);
    if (found != m_pages.cend())
        return *found;
    QSqlQuery query = run(
        QStringLiteral("SELECT ") + m_keyColumn + QStringLiteral(", ") + m_nameColumn +
        QStringLiteral(" FROM ") + m_table + QStringLiteral(" ORDER BY ") + m_nameColumn +
        QStringLiteral(" COLLATE NOCASE LIMIT %1 OFFSET %2").arg(pageSize).arg(number * pageSize));
    Page read;
    while (query.next()) {
        read.keys.append(query.value(0).toInt());
        read.names.append(query.value(1).toString());
    }
    return *m_pages.insert(number, read);
}

int NameListModel::key(int row) const {
    return page(row).keys.value(row % pageSize);
}

QString NameListModel::name(int row) const {
    return page(row).names.value(row % pageSize);
}

int NameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_count;
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_count)
        return QVariant();
    try {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return name(index.row());
        if (role == Qt::UserRole)
            return key(index.row());
    } catch (const ProgramError&) {
        // A page that cannot be read shows blank rather than ending a paint.
    }
    return QVariant();
}

int NameListModel::findPrefix(const QString& prefix) const {
    // The names sorting before the prefix (a missing name sorts first) are
    // the position of the first that may start with it.
    const QString count = QStringLiteral("(SELECT COUNT(*) FROM ") + m_table +
                          QStringLiteral(" WHERE ") + m_nameColumn;
    QSqlQuery before = run(QStringLiteral("SELECT ") + count + QStringLiteral(" IS NULL) + ") +
                               count + QStringLiteral(" < ? COLLATE NOCASE)"),
                           {Variant(prefix)});
    const int row = before.next() ? before.value(0).toInt() : m_count;
    if (row >= m_count || !name(row).startsWith(prefix, Qt::CaseInsensitive))
        return -1;
    return row;
}

BoundList::BoundList(QComboBox& combo) : QObject(&combo), m_combo(combo) {
    m_combo.setEditable(true);
    m_combo.setInsertPolicy(QComboBox::NoInsert);
    m_combo.setCompleter(nullptr);
    // Measuring 110000 names for the box's width would cost more than
    // reading them.
    m_combo.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_combo.setMinimumContentsLength(24);
    auto* view = new QListView(&m_combo);
    view->setUniformItemSizes(true);
    m_combo.setView(view);
    m_combo.setModel(&m_model);
    m_combo.setCurrentIndex(-1);
    connect(m_combo.lineEdit(), &QLineEdit::textEdited, this, &BoundList::typed);
    connect(m_combo.lineEdit(), &QLineEdit::editingFinished, this, &BoundList::finished);
    connect(&m_combo, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (row >= 0)
            emit chosen(m_model.key(row));
    });
}

void BoundList::load(const QString& table, const QString& keyColumn, const QString& nameColumn) {
    const bool wasBlocked = m_combo.blockSignals(true);
    m_model.load(table, keyColumn, nameColumn);
    m_combo.setCurrentIndex(-1);
    m_combo.blockSignals(wasBlocked);
}

std::optional<int> BoundList::boundValue() const {
    const int row = m_combo.currentIndex();
    if (row < 0 || m_combo.currentText().trimmed().isEmpty())
        return std::nullopt;
    return m_model.key(row);
}

void BoundList::typed(const QString& text) {
    // Deleting characters must not complete the name again.
    const bool deleting = text.size() < m_typedLength;
    m_typedLength = int(text.size());
    if (deleting || text.isEmpty())
        return;
    int row = -1;
    try {
        row = m_model.findPrefix(text);
    } catch (const ProgramError& error) {
        // The list stays as it is; what was typed stays too.
        showErrorWithSource(error.description(), QStringLiteral("frmCalvane::") +
                                                     m_combo.objectName() +
                                                     QStringLiteral("_Change"));
        return;
    }
    if (row < 0)
        return;
    // Typing the name already selected chooses it again, as a change of
    // the list's text does.
    if (row == m_combo.currentIndex())
        emit chosen(m_model.key(row));
    m_combo.setCurrentIndex(row);
    const QString name = m_model.name(row);
    m_combo.lineEdit()->setText(name);
    m_combo.lineEdit()->setSelection(int(name.size()), int(text.size() - name.size()));
}

void BoundList::finished() {
    m_typedLength = 0;
    const int row = m_combo.currentIndex();
    const QString shown = m_combo.lineEdit()->text();
    if (shown.isEmpty())
        return;
    // Text that names no row gives way to the name selected.
    if (row < 0 || shown != m_model.name(row))
        m_combo.lineEdit()->setText(row < 0 ? QString() : m_model.name(row));
}
