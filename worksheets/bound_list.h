#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

class QComboBox;

// The names of a table with their keys, in name order (letter case
// aside), read from the shared connection a page at a time as they are
// shown: a register of 110000 ships opens without reading them all, and a
// typed prefix is found by the name index.
class NameListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // Lists `table` by `nameColumn`, bound to `keyColumn`. Raises
    // ProgramError.
    void load(const QString& table, const QString& keyColumn, const QString& nameColumn);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int key(int row) const;
    QString name(int row) const;
    // The first row whose name starts with `prefix` (letter case aside), or -1.
    int findPrefix(const QString& prefix) const;

private:
    struct Page {
        QList<int> keys;
        QList<QString> names;
    };
    const Page& page(int row) const;

    QString m_table, m_keyColumn, m_nameColumn;
    int m_count = 0;
    mutable QHash<int, Page> m_pages;
};

// A list bound to a key: a combo box over a NameListModel that selects the
// first name starting with what the user types.
class BoundList : public QObject {
    Q_OBJECT

public:
    explicit BoundList(QComboBox& combo);

    // Fills the list; no name is selected afterwards.
    void load(const QString& table, const QString& keyColumn, const QString& nameColumn);
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
