#pragma once

#include "message.h"
#include "rowset.h"
#include "variant.h"

#include <memory>

// The read-only view of one Ship row.
class clsShip {
public:
    clsShip() = default;
    // A copy reads the same row, without reading the register again.
    clsShip(const clsShip& other);
    clsShip& operator=(const clsShip& other);
    ~clsShip();

    // Loads the ship. 1 on success, also when no ship has that key (the
    // record is then loaded but empty); 0 when the store failed, and
    // lastError() is then the message the caller shows.
    int SetShip(int ShipID);
    // Loads a ship that is in no register, given by what a survey needs of
    // it; it reads as a stored ship with these columns and every other
    // column null (its key too). Needs no connection.
    void setParticulars(const QString& name, const Decimal& lbp, const Decimal& lightShip);
    const Message& lastError() const { return m_error; }

    // Empty (never set): every read raises the object-not-set error. Loaded
    // but empty: the distance is 0 and every property read raises the
    // no-current-row error.
    Variant GetDistBetDraftMarks() const;

    Variant SummerDeadweight() const;
    Variant SummerDraft() const;
    Variant NetTonnage() const;
    Variant GrossTonnage() const;
    QString Flag() const;
    Variant IMONo() const;
    Variant OfficialNo() const;
    Variant PortOfRegistry() const;
    QString CallSign() const;
    Variant LightShip() const;
    Variant AftX() const;
    Variant MidX() const;
    Variant FwdX() const;
    Variant Breadth() const;
    Variant LOA() const;
    Variant LBP() const;
    QString ShipName() const;
    int ShipID() const;

private:
    Variant column(const QString& name) const;

    std::unique_ptr<RowSet> mrsShip;
    Message m_error;
};
