#include "cargo_uncertainty.h"

#include "decimal_functions.h"
#include "survey_file_layout.h"

#include <algorithm>

namespace {

// One input off by its uncertainty.
struct Perturbation {
    QString group;
    QString input;
    std::function<void(SurveyDocument&)> apply;
};

std::optional<Decimal> number(const QString& text) {
    return text.trimmed().isEmpty() ? std::nullopt : Decimal::tryParse(text);
}

QString percentOf(const Decimal& value, const Decimal& percent) {
    return (value + value * percent / Decimal(100)).toString();
}

void addStage(QList<Perturbation>& list, DraftEntry SurveyDocument::*stage, const QString& name,
              const SurveyDocument& survey, const SurveyLimits& limits,
              const QHash<int, QString>& itemNames) {
    const DraftEntry& entry = survey.*stage;
    if (entry == DraftEntry{})
        return;
    if (!limits.readingMetres.isZero()) {
        for (const auto& field : SurveyFileLayout::readings) {
            const std::optional<Decimal> reading = number(entry.*field.member);
            if (!reading)
                continue;
            const QString shifted = (*reading + limits.readingMetres).toString();
            list.append({name + QStringLiteral(" draft readings"),
                         name + QStringLiteral(".readings.") + QLatin1String(field.key),
                         [stage, member = field.member, shifted](SurveyDocument& document) {
                             document.*stage.*member = shifted;
                         }});
        }
    }
    if (const std::optional<Decimal> density = number(entry.density);
        density && !limits.densityUncertainty.isZero()) {
        const QString shifted = (*density + limits.densityUncertainty).toString();
        list.append(
            {name + QStringLiteral(" density"), name + QStringLiteral(".density"),
             [stage, shifted](SurveyDocument& document) { (document.*stage).density = shifted; }});
    }
    for (auto it = entry.deductions.cbegin(); it != entry.deductions.cend(); ++it) {
        const std::optional<Decimal> quantity = number(it.value());
        const Decimal percent =
            limits.deductiblePercentByItem.value(it.key(), limits.deductiblePercent);
        if (!quantity || quantity->isZero() || percent.isZero())
            continue;
        const QString item = itemNames.value(it.key(), QStringLiteral("item %1").arg(it.key()));
        const QString shifted = percentOf(*quantity, percent);
        list.append({name + u' ' + item.toLower(),
                     name + QStringLiteral(".deductions.%1").arg(it.key()),
                     [stage, key = it.key(), shifted](SurveyDocument& document) {
                         (document.*stage).deductions[key] = shifted;
                     }});
    }
}

// A table's error is the same at both drafts, so both move together.
void addTable(QList<Perturbation>& list, const SurveyLimits& limits) {
    if (limits.tablePercent.isZero())
        return;
    list.append({QStringLiteral("hydrostatic table"), QStringLiteral("hydrostatics"),
                 [percent = limits.tablePercent](SurveyDocument& document) {
                     for (DraftEntry* entry : {&document.initial, &document.final}) {
                         for (HydrostaticLine* line : {&entry->below, &entry->above}) {
                             if (const std::optional<Decimal> value = number(line->displacement))
                                 line->displacement = percentOf(*value, percent);
                         }
                     }
                 }});
}

QList<Perturbation> perturbations(const SurveyDocument& survey, const SurveyLimits& limits,
                                  const QHash<int, QString>& itemNames) {
    QList<Perturbation> list;
    addStage(list, &SurveyDocument::initial, QStringLiteral("initial"), survey, limits, itemNames);
    addStage(list, &SurveyDocument::final, QStringLiteral("final"), survey, limits, itemNames);
    addTable(list, limits);
    return list;
}

} // namespace

std::optional<CargoUncertainty> cargoUncertainty(const SurveyDocument& survey,
                                                 const CargoOf& cargoOf, const SurveyLimits& limits,
                                                 const QHash<int, QString>& itemNames) {
    const std::optional<Decimal> cargo = cargoOf(survey);
    if (!cargo)
        return std::nullopt;
    CargoUncertainty result;
    result.cargo = *cargo;
    QList<QPair<QString, Decimal>> squaresByGroup;
    Decimal squares;
    for (const Perturbation& perturbation : perturbations(survey, limits, itemNames)) {
        SurveyDocument changed = survey;
        perturbation.apply(changed);
        const std::optional<Decimal> perturbed = cargoOf(changed);
        // An input that moved the survey out of what calculates leaves its
        // share unknown, and so the whole.
        if (!perturbed)
            return std::nullopt;
        const Decimal change = *perturbed - *cargo;
        result.sensitivities.append({perturbation.group, perturbation.input, change});
        result.worstCase = result.worstCase + change.abs();
        squares = squares + change * change;
        auto group =
            std::find_if(squaresByGroup.begin(), squaresByGroup.end(),
                         [&](const auto& entry) { return entry.first == perturbation.group; });
        if (group == squaresByGroup.end())
            squaresByGroup.append({perturbation.group, change * change});
        else
            group->second = group->second + change * change;
    }
    result.expanded = Decimal(2) * squareRoot(squares);
    for (const auto& [group, groupSquares] : squaresByGroup)
        result.contributors.append({group, Decimal(2) * squareRoot(groupSquares)});
    std::stable_sort(result.contributors.begin(), result.contributors.end(),
                     [](const UncertaintyContributor& a, const UncertaintyContributor& b) {
                         return a.tonnes > b.tonnes;
                     });
    return result;
}

Decimal uncertaintyPercent(const CargoUncertainty& uncertainty) {
    if (uncertainty.cargo.isZero())
        return Decimal();
    return uncertainty.expanded * Decimal(100) / uncertainty.cargo.abs();
}

QString uncertaintyMargin(const CargoUncertainty& uncertainty) {
    return QStringLiteral("± %1 t (±%2 %, 95 %)")
        .arg(groupedText(uncertainty.expanded, 0), groupedText(uncertaintyPercent(uncertainty), 2));
}

QString uncertaintyText(const CargoUncertainty& uncertainty) {
    return groupedText(uncertainty.cargo, 1) + QStringLiteral(" t ") +
           uncertaintyMargin(uncertainty);
}

QString contributorsText(const CargoUncertainty& uncertainty, int count) {
    QStringList parts;
    for (const UncertaintyContributor& contributor : uncertainty.contributors.mid(0, count))
        parts.append(contributor.group + u' ' + groupedText(contributor.tonnes, 0) +
                     QStringLiteral(" t"));
    return parts.join(QStringLiteral(", "));
}
