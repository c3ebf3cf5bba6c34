#include "bound_list.h"

#include "connection.h"
#include "errors.h"
#include "statement.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <algorithm>

namespace {

// The letter-case folding of SQLite's NOCASE: ASCII letters only, so the
// search agrees with the order the database gave.
ushort folded(QChar c) {
    const ushort u = c.unicode();
    return u >= 'A' && u <= 'Z' ? ushort(u + ('a' - 'A')) : u;
}

// Compares `name` cut to the length of `prefix` with `prefix`.
int comparePrefix(const QString& name, const QString& prefix) {
    const int n = std::min(name.size(), prefix.size());
    for (int i = 0; i < n; ++i) {
        const ushort a = folded(name.at(i));
        const ushort b = folded(prefix.at(i));
        if (a != b)
            return a < b ? -1 : 1;
    }
    return name.size() < prefix.size() ? -1 : 0;
}

} // namespace

void NameListModel::load(const QString& statement) {
    if (!gcnnStore)
        throw ProgramError::objectNotSet();
    QSqlQuery query = runStatement(gcnnStore->database(), statement);
    QList<int> keys;
    QList<QString> names;
    while (query.next()) {
        keys.append(query.value(0).toInt());
        names.append(query.value(1).toString());
    }
    beginResetModel();
    m_keys = std::move(keys);
    m_names = std::move(names);
    endResetModel();
}

int NameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_names.size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_names.size())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_names.at(index.row());
    if (role == Qt::UserRole)
        return m_keys.at(index.row());
    return QVariant();
}

int NameListModel::findPrefix(const QString& prefix) const {
    const auto first = std::lower_bound(
        m_names.cbegin(), m_names.cend(), prefix,
        [](const QString& name, const QString& wanted) { return comparePrefix(name, wanted) < 0; });
    if (first == m_names.cend() || comparePrefix(*first, prefix) != 0)
        return -1;
    return int(first - m_names.cbegin());
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

void BoundList::load(const QString& statement) {
    const bool wasBlocked = m_combo.blockSignals(true);
    m_model.load(statement);
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
    const int row = m_model.findPrefix(text);
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
