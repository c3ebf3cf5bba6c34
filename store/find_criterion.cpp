#include "find_criterion.h"

#include "errors.h"

namespace {

ProgramError invalidCriterion(const QString& criterion) {
    return ProgramError::storeFailure(QStringLiteral("The search criterion \"") + criterion +
                                      QStringLiteral("\" is not valid."));
}

} // namespace

FindCriterion FindCriterion::parse(const QString& criterion) {
    const qsizetype equals = criterion.indexOf(u'=');
    if (equals < 0)
        throw invalidCriterion(criterion);
    FindCriterion result;
    result.m_column = criterion.left(equals).trimmed();
    const QString value = criterion.mid(equals + 1).trimmed();
    if (value.startsWith(u'\'')) {
        const qsizetype lastQuote = value.lastIndexOf(u'\'');
        if (lastQuote == 0)
            throw invalidCriterion(criterion);
        result.m_value = Variant(value.mid(1, lastQuote - 1));
    } else if (const auto number = Decimal::tryParse(value)) {
        result.m_value = Variant(*number);
    } else {
        throw invalidCriterion(criterion);
    }
    if (result.m_column.isEmpty())
        throw invalidCriterion(criterion);
    return result;
}

bool FindCriterion::matches(const Variant& value) const {
    if (value.isNull() || value.isEmpty())
        return false;
    if (m_value.isText())
        return value.toText().compare(m_value.toText(), Qt::CaseInsensitive) == 0;
    const auto number =
        value.isNumber() ? std::optional(value.toDecimal()) : Decimal::tryParse(value.toText());
    return number && *number == m_value.toDecimal();
}
