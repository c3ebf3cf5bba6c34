#pragma once

#include "variant.h"

#include <QString>

// A row set's search criterion "Column = value". A bare value is a number;
// a quoted one is a text that runs from the first quote to the last, so a
// name such as O'Brien's Pride needs no escaping. Text matches ignore case,
// as the earlier store did; a null never matches.
class FindCriterion {
public:
    // Raises ProgramError (store failure) for a criterion of another form.
    static FindCriterion parse(const QString& criterion);

    QString column() const { return m_column; }
    bool matches(const Variant& value) const;

private:
    QString m_column;
    Variant m_value;
};
