#include "table_text.h"

#include <QFile>
#include <QRegularExpression>

namespace {

QStringList quotedCells(const QString& line, QChar separator) {
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (int at = 0; at < line.size(); ++at) {
        const QChar c = line.at(at);
        if (c == QLatin1Char('"')) {
            if (quoted && at + 1 < line.size() && line.at(at + 1) == QLatin1Char('"')) {
                cell += c;
                ++at;
            } else {
                quoted = !quoted;
            }
        } else if (c == separator && !quoted) {
            cells.append(cell.trimmed());
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells.append(cell.trimmed());
    return cells;
}

// Tab when any line has one, then semicolon, then comma where commas are
// no decimal marks; else the blanks a PDF's text leaves between columns.
std::optional<QChar> fieldSeparator(const QStringList& lines, DecimalSeparator decimals) {
    for (QChar candidate : {QChar(u'\t'), QChar(u';'), QChar(u',')}) {
        if (candidate == QLatin1Char(',') && decimals == DecimalSeparator::Comma)
            continue;
        for (const QString& line : lines) {
            if (line.contains(candidate))
                return candidate;
        }
    }
    return std::nullopt;
}

QString withoutUnits(const QString& heading) {
    static const QRegularExpression units(QStringLiteral("[\\(\\[][^\\)\\]]*[\\)\\]]"));
    return QString(heading).remove(units).trimmed();
}

// A first line names the columns when it starts with a word and gives no
// figure: "7,5" where a point was declared is a bad figure, not a heading.
bool namesColumns(const QStringList& cells, DecimalSeparator separator) {
    if (cells.isEmpty() || cells.first().isEmpty() || !cells.first().at(0).isLetter())
        return false;
    return std::none_of(cells.cbegin(), cells.cend(), [separator](const QString& cell) {
        return tableFigure(cell, separator).has_value();
    });
}

} // namespace

std::optional<QString> readTableFile(const QString& path, QString& problem) {
    // Larger than any real table as text, small enough to read at once.
    constexpr qint64 largestTableFile = 16 * 1024 * 1024;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
        return std::nullopt;
    }
    if (file.size() > largestTableFile) {
        problem = QStringLiteral("larger than a table can be");
        return std::nullopt;
    }
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

TableText splitTableText(const QString& text, DecimalSeparator separator) {
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    const std::optional<QChar> field = fieldSeparator(lines, separator);
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    TableText table;
    for (int n = 0; n < lines.size(); ++n) {
        if (lines.at(n).trimmed().isEmpty())
            continue;
        const QStringList cells =
            field ? quotedCells(lines.at(n), *field) : lines.at(n).trimmed().split(blanks);
        const bool first = table.lines.isEmpty() && table.header.isEmpty();
        if (first && namesColumns(cells, separator)) {
            table.header = cells;
            continue;
        }
        table.lines.append(cells);
        table.lineNumbers.append(n + 1);
    }
    return table;
}

std::optional<TableColumn> columnNamed(const QString& heading) {
    const QString name = withoutUnits(heading).toLower();
    static const QList<std::pair<QString, TableColumn>> names = {
        {QStringLiteral("draft"), TableColumn::Draft},
        {QStringLiteral("displacement"), TableColumn::Displacement},
        {QStringLiteral("disp"), TableColumn::Displacement},
        {QStringLiteral("tpc"), TableColumn::TPC},
        {QStringLiteral("lcf"), TableColumn::LCF},
        {QStringLiteral("mctc"), TableColumn::MCTC},
        {QStringLiteral("mtc"), TableColumn::MCTC},
        {QStringLiteral("km"), TableColumn::KM},
        {QStringLiteral("lcb"), TableColumn::LCB}};
    for (const auto& [known, column] : names) {
        if (name == known)
            return column;
    }
    return std::nullopt;
}

ColumnRoles proposedRoles(const TableText& text) {
    ColumnRoles roles;
    if (!text.header.isEmpty()) {
        for (const QString& heading : text.header) {
            const std::optional<TableColumn> column = columnNamed(heading);
            roles.append(column && !roles.contains(column) ? column : std::nullopt);
        }
        return roles;
    }
    int columns = 0;
    for (const QStringList& line : text.lines)
        columns = std::max(columns, int(line.size()));
    for (int n = 0; n < columns; ++n)
        roles.append(n <= int(TableColumn::MCTC) ? std::optional(TableColumn(n)) : std::nullopt);
    return roles;
}

std::optional<Decimal> tableFigure(const QString& text, DecimalSeparator separator) {
    const QString trimmed = text.trimmed();
    // The other mark may be a thousands separator: refused, not guessed.
    if (separator == DecimalSeparator::Point)
        return trimmed.contains(QLatin1Char(',')) ? std::nullopt : Decimal::tryParse(trimmed);
    if (trimmed.contains(QLatin1Char('.')))
        return std::nullopt;
    return Decimal::tryParse(QString(trimmed).replace(QLatin1Char(','), QLatin1Char('.')));
}

ImportedRows readTableRows(const TableText& text, const ColumnRoles& roles,
                           DecimalSeparator separator) {
    ImportedRows imported;
    for (int n = 0; n < text.lines.size(); ++n) {
        const QStringList& cells = text.lines.at(n);
        const int line = text.lineNumbers.at(n);
        TableRow row;
        QString problem;
        for (int c = 0; c < roles.size() && c < cells.size() && problem.isEmpty(); ++c) {
            if (!roles.at(c) || cells.at(c).isEmpty())
                continue;
            const std::optional<Decimal> figure = tableFigure(cells.at(c), separator);
            if (!figure)
                problem = QStringLiteral("Line %1: \"%2\" is no figure for %3.")
                              .arg(line)
                              .arg(cells.at(c), tableColumnName(*roles.at(c)));
            row[*roles.at(c)] = figure;
        }
        if (problem.isEmpty() && !row[TableColumn::Draft])
            problem = QStringLiteral("Line %1 gives no draft.").arg(line);
        if (!problem.isEmpty()) {
            imported.problems.append({line, problem});
            continue;
        }
        imported.rows.append(row);
        imported.lineNumbers.append(line);
    }
    return imported;
}
