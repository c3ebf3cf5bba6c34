#pragma once

#include "enter_as_tab.h"
#include "master_window.h"
#include "message.h"
#include "name_list_model.h"
#include "register.h"

#include <memory>
#include <optional>

class Connection;
class QLineEdit;
struct ParticularRule;

namespace Ui {
class frmShipParticulars;
}

// The child window on which the user adds, edits and deletes ships with
// their particulars. Each change is written at once with one statement.
class frmShipParticulars : public MasterWindow {
    Q_OBJECT

public:
    frmShipParticulars(ChildHost& host, Connection& connection, QWidget* parent = nullptr);
    ~frmShipParticulars() override;

    void RNew() override;
    void RSave() override;
    void RDelete() override;
    void registerReopened() override;

    // Writes the fields as a new ship (edit mode 0) or over the ship shown
    // (edit mode 1). 1 on success, 10088 when nothing could be written.
    int Save();

signals:
    // The user asks for the hydrostatic tables of the ship shown.
    void tablesWanted(qint64 shipId);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OpenShipLists();
    void FillShipNames();
    // The ship at `row` of the name list.
    bool ShowShip(int row);
    void ClearShipFields();
    bool RequiredFieldsPresent();
    bool FieldsValid();
    bool validateField(const ParticularRule& rule);
    void showFirstShipOrClear();
    void shipChosen(int row);
    void saveShip();
    void deleteShip();
    void startNew();
    void openTables();
    void showSavingFailure(int errorNumber);
    void applyRegisterAccess();
    QList<QLineEdit*> textFields() const;

    std::unique_ptr<Ui::frmShipParticulars> ui;
    Connection& m_connection;
    NameListModel m_ships;
    NameListModel m_ports;
    EnterAsTab m_enterAsTab;
    int mlngEditMode = 0;
    bool mblnChanged = false;
    QString mstrMessage;
    // The ship shown, by its key: same-named ships stay apart.
    std::optional<qint64> m_shipId;
    // The save the shown ship was read at: a save over a later one is refused.
    RecordChange m_shipChange;
    // Why the last Save wrote nothing.
    QString m_saveFailure;
    std::optional<Message> m_saveLost;
    bool m_validating = false;
};
