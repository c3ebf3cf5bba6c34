#include "variant.h"

#include "errors.h"

#include <algorithm>

namespace {

bool isBlank(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

} // namespace

Variant Variant::null() {
    Variant v;
    v.m_value = NullTag{};
    return v;
}

Variant::Kind Variant::kind() const {
    return static_cast<Kind>(m_value.index());
}

Decimal Variant::toDecimal() const {
    switch (kind()) {
    case Kind::Empty:
        return Decimal();
    case Kind::Null:
        throw ProgramError::invalidUseOfNull();
    case Kind::Whole:
        return Decimal::fromWhole(std::get<qint64>(m_value));
    case Kind::Decimal:
        return std::get<::Decimal>(m_value);
    case Kind::Text:
        break;
    }
    return Decimal::fromText(std::get<QString>(m_value));
}

QString Variant::toText() const {
    switch (kind()) {
    case Kind::Empty:
        return QString();
    case Kind::Null:
        throw ProgramError::invalidUseOfNull();
    case Kind::Whole:
        return QString::number(std::get<qint64>(m_value));
    case Kind::Decimal:
        return std::get<::Decimal>(m_value).toString();
    case Kind::Text:
        break;
    }
    return std::get<QString>(m_value);
}

qint64 Variant::toWhole() const {
    if (kind() == Kind::Whole)
        return std::get<qint64>(m_value);
    return toDecimal().toWholeRounded();
}

bool operator==(const Variant& a, const Variant& b) {
    return a.m_value == b.m_value;
}

Variant NormalizeValue(const Variant& vValue, int intDecimals, int lngMode) {
    if (lngMode != 0 && lngMode != 1)
        return Variant();
    const auto blankValue = [lngMode] { return lngMode == 0 ? Variant(0) : Variant(QString()); };
    // A number is never blank; only empty, null and blank text are.
    switch (vValue.kind()) {
    case Variant::Kind::Empty:
    case Variant::Kind::Null:
        return blankValue();
    case Variant::Kind::Text: {
        const QString text = vValue.toText();
        if (isBlank(text))
            return blankValue();
        if (intDecimals < 0)
            return lngMode == 0 ? Variant(Decimal::fromText(text)) : Variant(text);
        return Variant(Decimal::fromText(text).rounded(intDecimals));
    }
    case Variant::Kind::Whole:
    case Variant::Kind::Decimal:
        break;
    }
    if (intDecimals < 0)
        return lngMode == 0 ? Variant(vValue.toDecimal()) : Variant(vValue.toText());
    return Variant(vValue.toDecimal().rounded(intDecimals));
}
