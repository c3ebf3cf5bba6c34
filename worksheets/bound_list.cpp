#include "bound_list.h"

#include "connection.h"
#include "errors.h"
#include "message_service.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>

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
            emit chosen(int(m_model.keyAt(row)));
    });
}

void BoundList::load(const NameList& list) {
    if (!gcnnStore)
        throw ProgramError::objectNotSet();
    const bool wasBlocked = m_combo.blockSignals(true);
    m_model.load(*gcnnStore, list);
    m_combo.setCurrentIndex(-1);
    m_combo.blockSignals(wasBlocked);
}

std::optional<int> BoundList::boundValue() const {
    const int row = m_combo.currentIndex();
    if (row < 0 || m_combo.currentText().trimmed().isEmpty())
        return std::nullopt;
    return int(m_model.keyAt(row));
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
        showStoreFailure(error, QStringLiteral("frmCalvane::") + m_combo.objectName() +
                                    QStringLiteral("_Change"));
        return;
    }
    if (row < 0)
        return;
    // Typing the name already selected chooses it again, as a change of
    // the list's text does.
    if (row == m_combo.currentIndex())
        emit chosen(int(m_model.keyAt(row)));
    m_combo.setCurrentIndex(row);
    const QString name = m_model.nameAt(row);
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
    if (row < 0 || shown != m_model.nameAt(row))
        m_combo.lineEdit()->setText(row < 0 ? QString() : m_model.nameAt(row));
}
