#pragma once

#include "decimal.h"

#include <QString>
#include <variant>

// A value as the worksheets, the store and the draft object hold it: empty
// (never set), null (a database column without a value), a whole number, a
// decimal number or a text.
class Variant {
public:
    enum class Kind { Empty, Null, Whole, Decimal, Text };

    Variant() = default;
    Variant(int whole) : m_value(qint64(whole)) {}        // NOLINT: implicit by design
    Variant(qint64 whole) : m_value(whole) {}             // NOLINT
    Variant(const ::Decimal& number) : m_value(number) {} // NOLINT
    Variant(const QString& text) : m_value(text) {}       // NOLINT
    static Variant null();

    Kind kind() const;
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isNull() const { return kind() == Kind::Null; }
    bool isNumber() const { return kind() == Kind::Whole || kind() == Kind::Decimal; }
    bool isText() const { return kind() == Kind::Text; }

    // Empty gives 0; a text must be numeric text (type-mismatch error
    // otherwise, also for blank text); null raises the invalid-use-of-null
    // error.
    ::Decimal toDecimal() const;
    // Empty gives ""; numbers give their text form; null raises the
    // invalid-use-of-null error.
    QString toText() const;
    // The decimal value rounded half to even to a whole number.
    qint64 toWhole() const;

    // Same kind and same value (1.50 equals 1.5). For tests and change checks.
    friend bool operator==(const Variant& a, const Variant& b);
    friend bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }

private:
    struct NullTag {
        bool operator==(const NullTag&) const { return true; }
    };
    std::variant<std::monostate, NullTag, qint64, ::Decimal, QString> m_value;
};

// The shared conversion of an entered or stored value. intDecimals -1 keeps
// every place; lngMode 0 asks for a number, 1 for a text (a rounded value is
// still a number), anything else gives an empty value. A blank value gives
// the whole number 0 in mode 0 and "" in mode 1. Non-numeric text in mode 0
// raises the type-mismatch error. A null counts as blank.
Variant NormalizeValue(const Variant& vValue, int intDecimals, int lngMode);
