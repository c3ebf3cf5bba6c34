#pragma once

#include "variant.h"

#include <QString>
#include <QVariant>

// A value as the database gave it, typed by its column's kind. Raises
// ProgramError (store failure) when the stored value does not fit the kind.
Variant storedValue(const QString& column, const QVariant& stored);

// A value assigned to a column, converted to the column's kind as it will
// read back; an empty value becomes null, and so does blank text in a number
// or key column. Text columns keep their text as given.
Variant columnValue(const QString& column, const Variant& value);

// What a "?" placeholder receives: whole numbers as integers, decimals as
// their exact text, null and empty as SQL NULL.
QVariant boundValue(const Variant& value);
