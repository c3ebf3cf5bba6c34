#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

class QComboBox;

// Names with their keys, in the order the statement gives them (which must
// sort them case-insensitively, e.g. ORDER BY ShipName COLLATE NOCASE), so
// that a typed prefix is found by binary search.
class NameListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // Reads the key (first column) and name (second) of every row of the
    // statement on the shared connection. Raises ProgramError.
    void load(const QString& statement);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int key(int row) const { return m_keys.at(row); }
    QString name(int row) const { return m_names.at(row); }
    // The first row whose name starts with `prefix` (letter case aside), or -1.
    int findPrefix(const QString& prefix) const;

private:
    QList<int> m_keys;
    QList<QString> m_names;
};

// A list bound to a key: a combo box over a NameListModel that selects the
// first name starting with what the user types.
class BoundList : public QObject {
    Q_OBJECT

public:
    explicit BoundList(QComboBox& combo);

    // Fills the list; no name is selected afterwards.
    void load(const QString& statement);
    // The bound key of the selected name, when a name is shown.
    std::optional<int> boundValue() const;
    QComboBox& combo() const { return m_combo; }
    NameListModel& model() { return m_model; }

signals:
    void chosen(int key);

private:
    void typed(const QString& text);
    void finished();

    QComboBox& m_combo;
    NameListModel m_model;
    int m_typedLength = 0;
};
