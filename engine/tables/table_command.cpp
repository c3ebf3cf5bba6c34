#include "table_command.h"

#include "connection.h"
#include "errors.h"
#include "register.h"
#include "survey_command.h"
#include "table_import.h"

#include <QHash>

namespace {

const char usage[] =
    "Usage: calvane-survey tables import --ship ID [OPTIONS] TABLE-FILE\n"
    "       calvane-survey tables list --ship ID [--database WHERE]\n"
    "       calvane-survey tables export --table ID [--database WHERE]\n"
    "\n"
    "Imports a ship's hydrostatic table from a CSV or TSV file, or text saved\n"
    "from a spreadsheet or a PDF, into the register, once its audit passes; the\n"
    "audit is printed line by line (rows sorted, a draft given twice, a\n"
    "displacement that does not rise, a figure out of line with its neighbours,\n"
    "an irregular draft step, missing columns). `list` prints a ship's tables,\n"
    "`export` one table as CSV (LCF from amidships, positive aft).\n"
    "\n"
    "  --database WHERE      the register: a file or postgresql://user@host/db\n"
    "                        (default: the desktop program's)\n"
    "  --decimal-comma       the figures write decimals with a comma (default: a\n"
    "                        point); the other mark is refused, never guessed\n"
    "  --columns LIST        each column's role, comma separated: draft,\n"
    "                        displacement, tpc, lcf, mctc, km, lcb, or - to leave\n"
    "                        it out (default: from the headings, else draft,\n"
    "                        displacement, tpc, lcf, mctc)\n"
    "  --density D           the water density the table is for (default 1.025)\n"
    "  --lcf-from amidships|ap    where LCF is measured from (default amidships)\n"
    "  --lcf-positive aft|forward which way LCF is positive (default aft)\n"
    "  --source TEXT         booklet and page, printed on the report\n"
    "  --trim T              the trim the table is computed for, if not even keel\n"
    "\n"
    "Exit status: 0 done; 1 the table was refused, or the ship or table is not\n"
    "in the register; 2 a bad command line or a file that cannot be read.\n";

struct Options {
    QString command, database, file;
    qint64 ship = 0, table = 0;
    TableImportSettings settings;
};

std::optional<Decimal> positiveNumber(const QString& text) {
    const std::optional<Decimal> number = Decimal::tryParse(text);
    return number && number->sign() > 0 ? number : std::nullopt;
}

bool readRoles(const QString& list, ColumnRoles& roles) {
    static const QHash<QString, TableColumn> names = {
        {QStringLiteral("draft"), TableColumn::Draft},
        {QStringLiteral("displacement"), TableColumn::Displacement},
        {QStringLiteral("tpc"), TableColumn::TPC},
        {QStringLiteral("lcf"), TableColumn::LCF},
        {QStringLiteral("mctc"), TableColumn::MCTC},
        {QStringLiteral("km"), TableColumn::KM},
        {QStringLiteral("lcb"), TableColumn::LCB}};
    for (const QString& name : list.split(QLatin1Char(','))) {
        const QString role = name.trimmed().toLower();
        if (role == QStringLiteral("-")) {
            roles.append(std::nullopt);
        } else if (names.contains(role) && !roles.contains(names.value(role))) {
            roles.append(names.value(role));
        } else {
            return false;
        }
    }
    return roles.contains(TableColumn::Draft);
}

// Takes the option at `i` and its value; false, with `problem`, when it is
// none of them or its value is wrong.
bool readOption(const QStringList& arguments, int& i, Options& options, QString& problem) {
    const QString& option = arguments[i];
    if (option == QStringLiteral("--decimal-comma")) {
        options.settings.separator = DecimalSeparator::Comma;
        return true;
    }
    if (!option.startsWith(QStringLiteral("--")) || i + 1 >= arguments.size()) {
        problem = QStringLiteral("unexpected argument: ") + option;
        return false;
    }
    const QString value = arguments[++i];
    TableDeclaration& declaration = options.settings.declaration;
    bool good = true;
    if (option == QStringLiteral("--database")) {
        options.database = value;
        good = !value.isEmpty();
    } else if (option == QStringLiteral("--ship")) {
        options.ship = value.toLongLong(&good);
    } else if (option == QStringLiteral("--table")) {
        options.table = value.toLongLong(&good);
    } else if (option == QStringLiteral("--columns")) {
        good = readRoles(value, options.settings.roles);
    } else if (option == QStringLiteral("--density")) {
        const std::optional<Decimal> density = positiveNumber(value);
        good = density.has_value();
        if (good)
            declaration.density = *density;
    } else if (option == QStringLiteral("--lcf-from")) {
        good = value == QStringLiteral("amidships") || value == QStringLiteral("ap");
        declaration.lcfOrigin =
            value == QStringLiteral("ap") ? LcfOrigin::AftPerpendicular : LcfOrigin::Amidships;
    } else if (option == QStringLiteral("--lcf-positive")) {
        good = value == QStringLiteral("aft") || value == QStringLiteral("forward");
        declaration.lcfPositive =
            value == QStringLiteral("forward") ? LcfPositive::Forward : LcfPositive::Aft;
    } else if (option == QStringLiteral("--source")) {
        declaration.source = value;
    } else if (option == QStringLiteral("--trim")) {
        declaration.trim = Decimal::tryParse(value);
        good = declaration.trim.has_value();
    } else {
        problem = QStringLiteral("unexpected argument: ") + option;
        return false;
    }
    if (!good)
        problem = QStringLiteral("%1 does not take \"%2\"").arg(option, value);
    return good;
}

std::optional<Options> parse(const QStringList& arguments, QString& problem) {
    Options options;
    options.command = arguments.value(1);
    for (int i = 2; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith(u'-') && options.file.isEmpty())
            options.file = arguments[i];
        else if (!readOption(arguments, i, options, problem))
            return std::nullopt;
    }
    const QString& command = options.command;
    if (command != QStringLiteral("import") && command != QStringLiteral("list") &&
        command != QStringLiteral("export"))
        problem = QStringLiteral("unknown tables command: ") + command;
    else if (command != QStringLiteral("export") && options.ship <= 0)
        problem = QStringLiteral("no ship given (--ship ID)");
    else if (command == QStringLiteral("export") && options.table <= 0)
        problem = QStringLiteral("no table given (--table ID)");
    else if (command == QStringLiteral("import") && options.file.isEmpty())
        problem = QStringLiteral("no table file given");
    else if (command != QStringLiteral("import") && !options.file.isEmpty())
        problem = QStringLiteral("unexpected argument: ") + options.file;
    return problem.isEmpty() ? std::optional(options) : std::nullopt;
}

QString described(const TableDeclaration& declaration) {
    QString text =
        QStringLiteral("density %1, LCF from %2, positive %3")
            .arg(declaration.density.toString(),
                 declaration.lcfOrigin == LcfOrigin::Amidships
                     ? QStringLiteral("amidships")
                     : QStringLiteral("the aft perpendicular"),
                 declaration.lcfPositive == LcfPositive::Aft ? QStringLiteral("aft")
                                                             : QStringLiteral("forward"));
    if (declaration.trim)
        text += QStringLiteral(", trim ") + declaration.trim->toString();
    if (!declaration.source.isEmpty())
        text += QStringLiteral(", ") + declaration.source;
    return text;
}

int importFile(const Options& options, const ShipRecord& ship, QTextStream& out, QTextStream& err) {
    QString problem;
    const std::optional<QString> text = readTableFile(options.file, problem);
    if (!text)
        return refuse(err, 2, options.file + QStringLiteral(": ") + problem);
    if (options.settings.declaration.lcfOrigin == LcfOrigin::AftPerpendicular && !ship.lbp)
        return refuse(err, 1,
                      QStringLiteral("ship %1 has no LBP, and an LCF from the aft perpendicular "
                                     "cannot be placed without it")
                          .arg(ship.id));
    TableImport import = importTable(*text, options.settings, ship.lbp.value_or(Decimal()));
    for (const QString& line : import.said())
        out << line << "\n";
    if (import.refused())
        return refuse(err, 1, QStringLiteral("the table was not stored"));
    import.table.shipID = int(ship.id);
    const qint64 id = Register(*gcnnStore).insertShipTable(import.table);
    out << QStringLiteral("Table %1 stored for ship %2 (%3): %4 rows, %5.\n")
               .arg(id)
               .arg(ship.id)
               .arg(ship.name)
               .arg(import.table.rows.size())
               .arg(described(import.table.declaration));
    return checkWritten(out, err);
}

int run(const Options& options, QTextStream& out, QTextStream& err) {
    const Register records(*gcnnStore);
    if (options.command == QStringLiteral("export")) {
        const std::optional<ShipTable> table = records.shipTable(options.table);
        if (!table)
            return refuse(err, 1,
                          QStringLiteral("table %1 is not in the register").arg(options.table));
        out << exportTable(*table);
        return checkWritten(out, err);
    }
    const std::optional<ShipRecord> ship = records.ship(options.ship);
    if (!ship)
        return refuse(err, 1, QStringLiteral("ship %1 is not in the register").arg(options.ship));
    if (options.command == QStringLiteral("import"))
        return importFile(options, *ship, out, err);
    for (const ShipTable& table : records.shipTables(options.ship)) {
        const std::optional<ShipTable> rows = records.shipTable(table.id);
        out << QStringLiteral("%1\t%2 rows\t%3\n")
                   .arg(table.id)
                   .arg(rows ? rows->rows.size() : 0)
                   .arg(described(table.declaration));
    }
    return checkWritten(out, err);
}

} // namespace

int runTablesCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (printedHelp(arguments, usage, out))
        return checkWritten(out, err);
    QString problem;
    const std::optional<Options> options = parse(arguments, problem);
    if (!options)
        return badCommandLine(problem, usage, 3, err);
    CommandRegister shared;
    try {
        shared.open(options->database);
        return run(*options, out, err);
    } catch (const ProgramError& error) {
        return refuse(err, 1, error.description());
    }
}
