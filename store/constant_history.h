#pragma once

#include "decimal.h"

#include <QDate>
#include <QList>
#include <QString>

class Connection;

// One calculated survey's constant, kept so that the next survey of the
// ship can be set beside the ones before it.
struct ConstantRecord {
    qint64 shipID = 0;
    QDate date;
    QString port;
    Decimal constant;
    // The survey file it was kept from: saving the survey again replaces it.
    QString surveyFile;

    friend bool operator==(const ConstantRecord& a, const ConstantRecord& b) {
        return a.shipID == b.shipID && a.date == b.date && a.port == b.port &&
               a.constant == b.constant && a.surveyFile == b.surveyFile;
    }
};

// A ship's constants from its saved surveys. Every value is bound; every
// failure raises ProgramError (store failure).
class ConstantHistory {
public:
    explicit ConstantHistory(Connection& connection) : m_connection(connection) {}

    // Keeps the record in place of any kept from the same survey file.
    void keep(const ConstantRecord& record) const;
    // The ship's records by date, leaving out the survey file `except`.
    QList<ConstantRecord> ofShip(qint64 shipID, const QString& except = QString()) const;

private:
    Connection& m_connection;
};
