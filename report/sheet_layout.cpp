#include "sheet_layout.h"

namespace {

constexpr int row = 180;
constexpr int labelWidth = 2300;
constexpr int workingLeft = 2400;
constexpr int workingWidth = reportWidth - workingLeft;
// Characters of 7-point text that surely fit a row of each column; the
// renderer wraps at the real widths, within the rows counted here.
constexpr int labelChars = 30;
constexpr int workingChars = 90;
constexpr int fullChars = 120;
constexpr int headerHeight = 3 * row;
constexpr int footerTop = reportHeight - row;

// The rows `text` takes wrapped at word boundaries, `perRow` characters
// a row; a word longer than a row takes rows of its own.
int rowsFor(const QString& text, int perRow) {
    int rows = 1;
    int used = 0;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        const int length = int(word.size());
        const int needed = used == 0 ? length : used + 1 + length;
        if (needed <= perRow) {
            used = needed;
            continue;
        }
        if (used > 0)
            ++rows;
        rows += (length - 1) / perRow;
        used = (length - 1) % perRow + 1;
    }
    return rows;
}

int heightOf(const SheetLine& line) {
    switch (line.kind) {
    case SheetLine::Kind::Heading:
        return 2 * row;
    case SheetLine::Kind::Note:
        return rowsFor(line.working, fullChars) * row;
    case SheetLine::Kind::Figure:
        break;
    }
    return std::max(rowsFor(line.label, labelChars), rowsFor(line.working, workingChars)) * row;
}

class SheetPaginator {
public:
    explicit SheetPaginator(const QString& shipName) : m_shipName(shipName) {}

    void addPart(const SheetPart& part) {
        int height = 2 * row;
        for (const SheetLine& line : part.lines)
            height += heightOf(line);
        if (m_pages.isEmpty() || (m_top > headerHeight && m_top + height > footerTop))
            newPage();
        else if (m_top > headerHeight)
            m_top += row;
        partTitle(part.title);
        for (qsizetype i = 0; i < part.lines.size(); ++i) {
            const SheetLine& line = part.lines[i];
            // A heading stays with its first line.
            int needed = heightOf(line);
            if (line.kind == SheetLine::Kind::Heading && i + 1 < part.lines.size())
                needed += heightOf(part.lines[i + 1]);
            if (m_top + needed > footerTop) {
                newPage();
                partTitle(part.title + QStringLiteral(" (continued)"));
            }
            addLine(line);
        }
    }

    QList<ReportLayout> take() {
        const int count = int(m_pages.size());
        for (int i = 0; i < count; ++i)
            add(m_pages[i],
                {QStringLiteral("Footer"), footerTop, 0, reportWidth, row,
                 QStringLiteral("Calculation sheet, page %1 of %2").arg(i + 1).arg(count),
                 Qt::AlignRight, LabelStyle::Note});
        return std::move(m_pages);
    }

private:
    void newPage() {
        m_pages.append(
            {QStringLiteral("CalculationSheet%1").arg(m_pages.size() + 1), {}, {}, {}, {}});
        add(page(), {QStringLiteral("ShipName"), 0, 0, reportWidth, 2 * row, m_shipName.toUpper(),
                     Qt::AlignLeft, LabelStyle::Title});
        page().rules.append(QLine(0, 2 * row + 40, reportWidth, 2 * row + 40));
        m_top = headerHeight;
    }
    void partTitle(const QString& title) {
        add(page(),
            {QString(), m_top, 0, reportWidth, 2 * row, title, Qt::AlignLeft, LabelStyle::Heading});
        m_top += 2 * row;
    }
    void addLine(const SheetLine& line) {
        const int height = heightOf(line);
        switch (line.kind) {
        case SheetLine::Kind::Heading:
            add(page(), {QString(), m_top + row / 2, 0, reportWidth, row + row / 2, line.label,
                         Qt::AlignLeft | Qt::AlignBottom, LabelStyle::Caption});
            page().rules.append(QLine(0, m_top + height - 10, reportWidth, m_top + height - 10));
            break;
        case SheetLine::Kind::Note:
            add(page(), {QString(), m_top, 0, reportWidth, height, line.working, Qt::AlignLeft,
                         LabelStyle::Working});
            break;
        case SheetLine::Kind::Figure:
            add(page(), {QString(), m_top, 0, labelWidth, height, line.label, Qt::AlignLeft,
                         LabelStyle::Working});
            add(page(), {QString(), m_top, workingLeft, workingWidth, height, line.working,
                         Qt::AlignLeft, LabelStyle::Working});
            break;
        }
        m_top += height;
    }
    ReportLayout& page() { return m_pages.last(); }
    static void add(ReportLayout& layout, ReportLabel label) {
        label.name = QStringLiteral("lblSheet%1").arg(layout.labels.size());
        layout.labels.append(label);
    }

    QString m_shipName;
    QList<ReportLayout> m_pages;
    int m_top = 0;
};

} // namespace

QList<ReportLayout> sheetLayouts(const CalculationSheet& sheet, const QString& shipName) {
    SheetPaginator paginator(shipName);
    for (const SheetPart& part : sheet.parts)
        paginator.addPart(part);
    return paginator.take();
}
