#include "durable_file.h"
#include "survey_file.h"
#include "survey_file_layout.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace SurveyFileLayout;

namespace {

template <typename Target, std::size_t N>
QJsonObject writeValues(const Field<Target> (&fields)[N], const Target& source) {
    QJsonObject object;
    for (const auto& field : fields)
        object.insert(QLatin1String(field.key), source.*field.member);
    return object;
}

QJsonObject writeDraft(const DraftEntry& entry) {
    QJsonObject lines;
    for (const auto& line : hydrostaticLines)
        lines.insert(QLatin1String(line.key), writeValues(hydrostaticValues, entry.*line.member));

    QJsonObject deductions;
    for (auto it = entry.deductions.begin(); it != entry.deductions.end(); ++it)
        deductions.insert(QString::number(it.key()), it.value());

    QJsonObject draft{
        {QStringLiteral("date"), entry.date},
        {QStringLiteral("time"), entry.time},
        {QStringLiteral("density"), entry.density},
        {QStringLiteral("readings"), writeValues(readings, entry)},
        {QStringLiteral("markDistances"), writeValues(markDistances, entry)},
        {QStringLiteral("hydrostatics"), lines},
        {QStringLiteral("mctc"),
         QJsonObject{{QStringLiteral("plus50"), writeValues(mctcPlus50, entry)},
                     {QStringLiteral("minus50"), writeValues(mctcMinus50, entry)}}},
        {QStringLiteral("deductions"), deductions},
        {QStringLiteral("comments"), entry.comments},
    };
    if (entry.table)
        draft.insert(QStringLiteral("table"),
                     QJsonObject{{QStringLiteral("id"), entry.table->id},
                                 {QStringLiteral("source"), entry.table->source},
                                 {QStringLiteral("density"), entry.table->density}});
    return draft;
}

// A reading not yet taken is left out: a draft in the file is complete.
bool taken(const DraftEntry& entry) {
    return !(entry == DraftEntry{});
}

QJsonObject writeShip(const SurveyDocument& document) {
    QJsonObject ship;
    if (document.shipID)
        ship.insert(QStringLiteral("shipId"), *document.shipID);
    if (const auto& particulars = document.particulars) {
        ship.insert(QStringLiteral("particulars"),
                    QJsonObject{{QStringLiteral("name"), particulars->name},
                                {QStringLiteral("lbp"), particulars->lbp},
                                {QStringLiteral("lightShip"), particulars->lightShip}});
    }
    return ship;
}

QByteArray serializeAs(const SurveyDocument& document, int fileVersion) {
    QJsonObject top{
        {QStringLiteral("format"), QLatin1String(formatName)},
        {QStringLiteral("version"), fileVersion},
        {QStringLiteral("worksheet"), QLatin1String(worksheetName(document.worksheet))},
        {QStringLiteral("ship"), writeShip(document)},
        {QStringLiteral("port"), document.port},
        {QStringLiteral("voyage"), document.voyage},
        {QStringLiteral("cargo"), document.cargo},
        {QStringLiteral("billOfLadingQuantity"), document.billOfLadingQuantity},
        {QStringLiteral("typedInitialNetDisplacement"), document.typedInitialNetDisplacement},
    };
    // Left out when blank: a file written without them stays as it was.
    if (!document.surveyParticulars.isBlank()) {
        QJsonObject particulars;
        for (const auto& field : surveyParticulars)
            particulars.insert(QLatin1String(field.key), document.surveyParticulars.*field.member);
        top.insert(QStringLiteral("surveyParticulars"), particulars);
    }
    if (taken(document.initial))
        top.insert(QStringLiteral("initial"), writeDraft(document.initial));
    if (taken(document.final))
        top.insert(QStringLiteral("final"), writeDraft(document.final));
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

} // namespace

QByteArray serializeSurvey(const SurveyDocument& document) {
    // The oldest version that holds the survey, so that complete surveys
    // stay readable by programs that know only version 1. A program that
    // knows no particulars then says the file is newer, not that a key is
    // unknown.
    if (!document.surveyParticulars.isBlank())
        return serializeAs(document, version);
    const QByteArray first = serializeAs(document, 1);
    if (parseSurvey(first).document)
        return first;
    return serializeAs(document, partialVersion);
}

QString writeSurveyFile(const SurveyDocument& document, const QString& path) {
    const QByteArray json = serializeSurvey(document);
    const SurveyFileResult check = parseSurvey(json);
    if (!check.document)
        return check.error;
    return DurableFile::write(path, json);
}
