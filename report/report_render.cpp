#include "report_render.h"

#include "report_page.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

namespace {

constexpr int twipsPerInch = 1440;

// Device pixels from twips, in whole numbers so that no binary fraction
// enters the page.
class TwipScale {
public:
    explicit TwipScale(int dpi) : m_dpi(dpi) {}

    int operator()(int twips) const { return twips * m_dpi / twipsPerInch; }
    QPoint point(const QPoint& twips) const {
        return {(*this)(twips.x() + reportOrigin.x()), (*this)(twips.y() + reportOrigin.y())};
    }
    QRect rect(const QRect& twips) const {
        const QPoint topLeft = point(twips.topLeft());
        const QPoint bottomRight = point(twips.topLeft() + QPoint(twips.width(), twips.height()));
        return {topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())};
    }
    QLine line(const QLine& twips) const { return {point(twips.p1()), point(twips.p2())}; }

private:
    int m_dpi;
};

QFont fontFor(LabelStyle style) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    switch (style) {
    case LabelStyle::ShipName:
        font.setPointSize(16);
        font.setBold(true);
        break;
    case LabelStyle::Title:
        font.setPointSize(12);
        font.setBold(true);
        break;
    case LabelStyle::Caption:
        font.setPointSize(8);
        font.setBold(true);
        break;
    case LabelStyle::Heading:
    case LabelStyle::Total:
        font.setPointSize(9);
        font.setBold(true);
        break;
    case LabelStyle::Plain:
    case LabelStyle::Signature:
        font.setPointSize(9);
        break;
    case LabelStyle::Note:
    case LabelStyle::Working:
        font.setPointSize(7);
        break;
    }
    return font;
}

// Whether the text fits on one line with room to spare, from its
// characters' advances alone, so that most labels are laid out only to be
// drawn, not once more to be measured. Kerning and rounding never add an
// eighth and a pixel a character; text it cannot judge (controls, marks,
// other scripts) is laid out.
bool surelyFits(const QFontMetrics& metrics, const QRect& rect, const QString& text) {
    constexpr char16_t firstNotJudged = 0x250;
    if (metrics.height() + 2 > rect.height())
        return false;
    int advances = 0;
    for (const QChar c : text) {
        if (c.unicode() < u' ' || c.unicode() >= firstNotJudged)
            return false;
        advances += metrics.horizontalAdvance(c) + 1;
    }
    return advances + advances / 8 <= rect.width();
}

// A text too long for its label takes a smaller font, down to a size that
// can still be read; beyond that it is cut at the label's edge.
QFont fitted(const QFont& font, QPaintDevice* device, const QRect& rect, int flags,
             const QString& text) {
    constexpr int smallest = 6;
    QFont smaller = font;
    while (smaller.pointSize() > smallest) {
        const QFontMetrics metrics(smaller, device);
        if (surelyFits(metrics, rect, text))
            break;
        const QRect needed = metrics.boundingRect(rect, flags, text);
        if (needed.width() <= rect.width() && needed.height() <= rect.height())
            break;
        smaller.setPointSize(smaller.pointSize() - 1);
    }
    return smaller;
}

int labelFlags(const ReportLabel& label) {
    const bool wraps = label.style == LabelStyle::Working || label.height >= 2 * 216;
    return int(label.alignment) | (wraps ? int(Qt::TextWordWrap) : 0);
}

// Signatures go on a line above their caption, two inches long.
QLine signatureLine(const ReportLabel& label) {
    const int centre = label.left + label.width / 2;
    const int top = label.top - 36;
    return {centre - twipsPerInch, top, centre + twipsPerInch, top};
}

} // namespace

void renderReport(QPainter& painter, const ReportPage& page, int index) {
    const ReportLayout& layout = page.layoutOf(index);
    const TwipScale scale(painter.device()->logicalDpiY());
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);

    // The bands in one go: a PDF fills them as one path.
    QList<QRect> bands;
    for (const QRect& band : layout.bands)
        bands.append(scale.rect(band));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xee, 0xf0, 0xf3));
    painter.drawRects(bands);
    QPen pen(QColor(0x33, 0x33, 0x33));
    pen.setWidth(std::max(1, scale(10)));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const QRect& box : layout.boxes)
        painter.drawRect(scale.rect(box));
    for (const QLine& rule : layout.rules)
        painter.drawLine(scale.line(rule));

    for (const ReportLabel& label : layout.labels) {
        if (label.style == LabelStyle::Signature)
            painter.drawLine(scale.line(signatureLine(label)));
        const int flags = labelFlags(label);
        const QRect rect = scale.rect(label.twips());
        const QString caption = index == 0 ? page.caption(label.name) : label.designCaption;
        painter.setFont(fitted(fontFor(label.style), painter.device(), rect, flags, caption));
        painter.drawText(rect, flags, caption);
    }
    painter.restore();
}

void renderReportPages(QPainter& painter, const ReportPage& page,
                       const std::function<bool()>& newPage) {
    for (int index = 0; index < page.pageCount(); ++index) {
        if (index > 0 && !newPage())
            return;
        renderReport(painter, page, index);
    }
}

bool fitsLabel(const ReportLabel& label, const QString& text) {
    // Measured as the PDF lays it out.
    constexpr int pdfDpi = 1200;
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(pdfDpi * 10000 / 254);
    device.setDotsPerMeterY(pdfDpi * 10000 / 254);
    const QRect rect = TwipScale(pdfDpi).rect(label.twips());
    const int flags = labelFlags(label);
    const QFont font = fitted(fontFor(label.style), &device, rect, flags, text);
    const QRect needed = QFontMetrics(font, &device).boundingRect(rect, flags, text);
    return needed.width() <= rect.width() && needed.height() <= rect.height();
}

QImage reportImage(const ReportPage& page, int dpi, int index) {
    const TwipScale scale(dpi);
    QImage image(scale(a4Twips.width()), scale(a4Twips.height()), QImage::Format_RGB32);
    // Dots per metre as whole numbers: 1 inch is 0.0254 m.
    image.setDotsPerMeterX(dpi * 10000 / 254);
    image.setDotsPerMeterY(dpi * 10000 / 254);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderReport(painter, page, index);
    return image;
}
