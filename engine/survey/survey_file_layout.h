#pragma once

#include "survey_document.h"

#include <QStringList>
#include <cstddef>

// Where the values of a draft sit in the survey file. The reader and the
// writer share these tables so that the two cannot drift apart.
namespace SurveyFileLayout {

inline constexpr char formatName[] = "calvane-survey";
// Version 2 lets a draft be partly taken (any measured value, the date and
// the time may be blank) and the ship name both its key and particulars, so
// that a worksheet can be saved mid-survey. Version 3 adds the survey's
// particulars. A file that needs none of these is still written as version 1.
inline constexpr int partialVersion = 2;
inline constexpr int version = 3;

inline const char* worksheetName(Worksheet worksheet) {
    return worksheet == Worksheet::Loading ? "loading" : "discharging";
}

template <typename Target, typename Value = QString> struct Field {
    const char* key;
    Value Target::*member;
};

inline constexpr Field<DraftEntry> readings[] = {
    {"fwdPort", &DraftEntry::fwdPort}, {"fwdStbd", &DraftEntry::fwdStbd},
    {"midPort", &DraftEntry::midPort}, {"midStbd", &DraftEntry::midStbd},
    {"aftPort", &DraftEntry::aftPort}, {"aftStbd", &DraftEntry::aftStbd},
};

inline constexpr Field<DraftEntry> markDistances[] = {
    {"fwd", &DraftEntry::fwdX},
    {"mid", &DraftEntry::midX},
    {"aft", &DraftEntry::aftX},
};

inline constexpr Field<DraftEntry, HydrostaticLine> hydrostaticLines[] = {
    {"below", &DraftEntry::below},
    {"above", &DraftEntry::above},
};

inline constexpr Field<HydrostaticLine> hydrostaticValues[] = {
    {"draft", &HydrostaticLine::draft},
    {"displacement", &HydrostaticLine::displacement},
    {"tpc", &HydrostaticLine::tpc},
    {"lcf", &HydrostaticLine::lcf},
};

inline constexpr Field<DraftEntry> mctcPlus50[] = {
    {"below", &DraftEntry::mctcPlus50Below},
    {"above", &DraftEntry::mctcPlus50Above},
};

inline constexpr Field<DraftEntry> mctcMinus50[] = {
    {"below", &DraftEntry::mctcMinus50Below},
    {"above", &DraftEntry::mctcMinus50Above},
};

inline constexpr Field<SurveyParticulars> surveyParticulars[] = {
    {"place", &SurveyParticulars::place},
    {"requestedBy", &SurveyParticulars::requestedBy},
    {"surveyorRole", &SurveyParticulars::surveyorRole},
    {"attendedBy", &SurveyParticulars::attendedBy},
    {"weather", &SurveyParticulars::weather},
    {"sea", &SurveyParticulars::sea},
    {"swell", &SurveyParticulars::swell},
};

template <typename Target, typename Value, std::size_t N>
QStringList keysOf(const Field<Target, Value> (&fields)[N]) {
    QStringList keys;
    for (const auto& field : fields)
        keys << QString::fromLatin1(field.key);
    return keys;
}

} // namespace SurveyFileLayout
