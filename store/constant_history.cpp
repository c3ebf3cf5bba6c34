#include "constant_history.h"

#include "column_value.h"
#include "connection.h"
#include "errors.h"
#include "statement.h"

#include <QSqlError>

namespace {

QSqlDatabase openDatabase(const Connection& connection) {
    if (!connection.isOpen())
        throw ProgramError::storeFailure(QStringLiteral("The register is not open."));
    return connection.database();
}

} // namespace

void ConstantHistory::keep(const ConstantRecord& record) const {
    QSqlDatabase db = openDatabase(m_connection);
    if (!db.transaction())
        throw ProgramError::storeFailure(db.lastError().text());
    try {
        runStatement(db,
                     QStringLiteral("DELETE FROM ConstantHistory WHERE HistoryShipID = ? AND "
                                    "HistorySurveyFile = ?"),
                     {record.shipID, record.surveyFile});
        runStatement(db,
                     QStringLiteral("INSERT INTO ConstantHistory (HistoryShipID, HistoryDate, "
                                    "HistoryPort, HistoryConstant, HistorySurveyFile) "
                                    "VALUES (?, ?, ?, ?, ?)"),
                     {record.shipID, record.date.toString(Qt::ISODate), record.port,
                      record.constant, record.surveyFile});
        if (!db.commit())
            throw ProgramError::storeFailure(db.lastError().text());
    } catch (const ProgramError&) {
        db.rollback();
        throw;
    }
}

QList<ConstantRecord> ConstantHistory::ofShip(qint64 shipID, const QString& except) const {
    QSqlQuery query = runStatement(
        openDatabase(m_connection),
        QStringLiteral(
            "SELECT HistoryDate, HistoryPort, HistoryConstant, HistorySurveyFile FROM "
            "ConstantHistory WHERE HistoryShipID = ? AND HistorySurveyFile IS DISTINCT FROM ? "
            "ORDER BY HistoryDate, HistoryID"),
        {shipID, except});
    QList<ConstantRecord> records;
    while (query.next()) {
        ConstantRecord record;
        record.shipID = shipID;
        record.date = QDate::fromString(query.value(0).toString(), Qt::ISODate);
        record.port = query.value(1).toString();
        record.constant =
            storedValue(QStringLiteral("HistoryConstant"), query.value(2)).toDecimal();
        record.surveyFile = query.value(3).toString();
        records.append(record);
    }
    if (query.lastError().isValid())
        throw ProgramError::storeFailure(query.lastError().text());
    return records;
}
