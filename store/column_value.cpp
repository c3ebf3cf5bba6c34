#include "column_value.h"

#include "errors.h"
#include "schema.h"

namespace {

ProgramError unreadable(const QString& column, const QString& text) {
    return ProgramError::storeFailure(QStringLiteral("The column ") + column +
                                      QStringLiteral(" holds \"") + text +
                                      QStringLiteral("\", which does not fit its type."));
}

} // namespace

Variant storedValue(const QString& column, const QVariant& stored) {
    if (stored.isNull())
        return Variant::null();
    const QString text = stored.toString();
    switch (columnKind(column)) {
    case ColumnKind::Whole: {
        bool ok = false;
        const qint64 whole = text.toLongLong(&ok);
        if (!ok)
            throw unreadable(column, text);
        return Variant(whole);
    }
    case ColumnKind::Number:
        if (const auto number = Decimal::tryParse(text))
            return Variant(*number);
        throw unreadable(column, text);
    case ColumnKind::Text:
        break;
    }
    return Variant(text);
}

Variant columnValue(const QString& column, const Variant& value) {
    if (value.isNull() || value.isEmpty())
        return Variant::null();
    const ColumnKind kind = columnKind(column);
    // A number field left blank holds no number, not an error.
    if (kind != ColumnKind::Text && value.isText() && value.toText().trimmed().isEmpty())
        return Variant::null();
    switch (kind) {
    case ColumnKind::Whole:
        return Variant(value.toWhole());
    case ColumnKind::Number:
        return Variant(value.toDecimal());
    case ColumnKind::Text:
        break;
    }
    return Variant(value.toText());
}

QVariant boundValue(const Variant& value) {
    switch (value.kind()) {
    case Variant::Kind::Empty:
    case Variant::Kind::Null:
        return QVariant();
    case Variant::Kind::Whole:
        return QVariant(value.toWhole());
    case Variant::Kind::Decimal:
    case Variant::Kind::Text:
        break;
    }
    return QVariant(value.toText());
}
