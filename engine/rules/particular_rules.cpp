#include "particular_rules.h"

#include "decimal.h"
#include "errors.h"

namespace {

ParticularRule rule(const char* field, int decimals, qint64 upperLimit, const char* message) {
    return {QString::fromLatin1(field), decimals, upperLimit, QString::fromLatin1(message)};
}

} // namespace

const QList<ParticularRule>& particularRules() {
    static const QList<ParticularRule> rules = {
        rule("txtOfficialNo", -1, 10000000000,
             "Official No. can only be a number greater than 0 and less than 10000000000."),
        rule("txtIMONo", -1, 10000000000,
             "IMO No. can only be a number greater than 0 and less than 10000000000."),
        rule("txtLOA", 2, 1000,
             "LOA can only be a positive number greater than 0 and less than 1000."),
        rule("txtLBP", 2, 1000,
             "LBP can only be a positive number greater than 0 and less than 1000."),
        rule("txtBreadth", 3, 1000,
             "Breadth can only be a positive number greater than 0 less than 1000."),
        rule("txtLightShip", 4, 1000000,
             "Value of Light Ship can only be a positive number greater than 0 and less than "
             "1000000."),
        rule("txtGrossTonnage", 1, 1000000,
             "Gross Tonnage can only be a positive number greater than 0 and less than 1000000."),
        rule("txtNetTonnage", 1, 1000000,
             "Net Tonnage can only be a positive number greater than 0 and less than 1000000."),
        rule("txtSummerDeadweight", 3, 1000000,
             "Summer Deadweight can only be a positive number greater than 0 and less than "
             "1000000."),
        rule("txtSummerDraft", 4, 100,
             "Summer Draft can only be a positive number greater than 0 and less than 100."),
    };
    return rules;
}

const ParticularRule& particularRule(const QString& field) {
    for (const ParticularRule& rule : particularRules()) {
        if (rule.field == field)
            return rule;
    }
    throw ProgramError::subscriptOutOfRange();
}

ParticularCheck checkParticular(const ParticularRule& rule, const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return {true, QString(), QString()};
    const std::optional<Decimal> number = Decimal::tryParse(text);
    if (!number)
        return {false, QString(), QStringLiteral("Invalid value. Only numbers are allowed.")};
    const Decimal value = rule.decimals < 0 ? *number : number->rounded(rule.decimals);
    if (value.sign() <= 0 || compare(value, Decimal::fromWhole(rule.upperLimit)) >= 0)
        return {false, QString(), rule.message};
    return {true, value.toString(), QString()};
}

QString surveyedParticularsProblem(const QString& lbp, const QString& lightShip) {
    const std::pair<const char*, const QString&> particulars[] = {{"txtLBP", lbp},
                                                                  {"txtLightShip", lightShip}};
    for (const auto& [field, value] : particulars) {
        const ParticularRule& rule = particularRule(QString::fromLatin1(field));
        if (value.trimmed().isEmpty())
            return rule.message;
        if (const ParticularCheck check = checkParticular(rule, value); !check.accepted)
            return check.message;
    }
    return QString();
}
