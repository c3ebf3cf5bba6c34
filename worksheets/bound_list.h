#pragma once

#include "name_list_model.h"

#include <QObject>
#include <optional>

class QComboBox;

// A list bound to a key: a combo box over the names of a table, read from
// the shared connection as they are shown, that selects the first name
// starting with what the user types.
class BoundList : public QObject {
    Q_OBJECT

public:
    explicit BoundList(QComboBox& combo);

    // Fills the list; no name is selected afterwards. Raises ProgramError.
    void load(const NameList& list);
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
