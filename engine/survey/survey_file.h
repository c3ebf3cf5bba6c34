#pragma once

#include "survey_document.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The survey file: everything one worksheet holds, as a UTF-8 JSON object.
//
//   "format": "calvane-survey", "version": 1 to 3   a later version is refused, never guessed at
//   "worksheet": "loading" | "discharging"
//   "ship": {"shipId": 3}                          a ship of DS.dat (a positive whole number), or
//           {"particulars": {"name", "lbp", "lightShip"}}   the ship given inline; both only
//                                                  in version 2 (the key's particulars when saved)
//   "port", "voyage", "cargo"                      texts, optional
//   "billOfLadingQuantity", "typedInitialNetDisplacement"   optional
//   "surveyParticulars": {"place", "requestedBy", "surveyorRole", "attendedBy",
//                         "weather", "sea", "swell"}   texts, optional; left out when all blank,
//                                                  written as version 3 (read in any)
//   "initial", "final"                             one draft each, left out while not yet taken:
//       "date": "dd-MM-yyyy", "time": "HH:mm", "density",
//       "readings": {"fwdPort", "fwdStbd", "midPort", "midStbd", "aftPort", "aftStbd"},
//       "markDistances": {"fwd", "mid", "aft"}    optional in the file; a draft is
//                                                  calculated only with all three
//                                                  ("0" for marks at a perpendicular),
//       "hydrostatics": {"below", "above": {"draft", "displacement", "tpc", "lcf"}},
//       "mctc": {"plus50", "minus50": {"below", "above"}},
//       "deductions": {"<DeductionMaster ItemID>": quantity}   optional,
//       "comments"                                 optional
//
// Every measured value is a JSON string of decimal text ("7.55"): a JSON
// number would be read through binary floating point, so it is refused. A
// measured value may be blank ("") or left out only where a blank means
// something: mark distances (not yet taken), deduction quantities (0), the
// Bill of Lading quantity and the typed initial net displacement. A draft
// that is in a version 1 file is otherwise complete. Measured values are
// kept trimmed, texts as written. A key that is not part of the format is
// refused, so a misspelt key never reads as a blank, and so is a key given
// twice in one object. Version 2 differs only in letting a draft be partly
// taken: any of its measured values, its date and its time may be blank; it
// is written only for a survey version 1 cannot hold.

// Either the document, when every field checked out, or one line naming the
// first bad field by its JSON path ("final.readings.fwdPort: ...").
struct SurveyFileResult {
    std::optional<SurveyDocument> document;
    QString error;
};

// The extension Save proposes for a survey file; files ending in .json open
// as well, as they always have.
inline constexpr char surveyFileSuffix[] = "calvane";

// A survey takes a few kilobytes; anything near this is not one.
inline constexpr qint64 maxSurveyFileBytes = 4 * 1024 * 1024;

SurveyFileResult parseSurvey(const QByteArray& json);
// Also refuses, with "file: ...", what is missing, a folder, a device or a
// pipe, and a file over maxSurveyFileBytes.
SurveyFileResult readSurveyFile(const QString& path);

// Whether every value a version 1 file needs of a draft is given.
bool isComplete(const DraftEntry& entry);

QByteArray serializeSurvey(const SurveyDocument& document);
// Replaces the file in one step. Returns "" on success, otherwise one line
// saying why; a document this program could not read back is not written.
QString writeSurveyFile(const SurveyDocument& document, const QString& path);
