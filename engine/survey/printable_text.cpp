#include "printable_text.h"

QString printable(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code == u'\n')
            result += QStringLiteral("\\n");
        else if (code == u'\r')
            result += QStringLiteral("\\r");
        else if (code == u'\t')
            result += QStringLiteral("\\t");
        else if (code < 0x20 || code == 0x7f)
            result += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
                 c.category() == QChar::Separator_Line ||
                 c.category() == QChar::Separator_Paragraph)
            result += QStringLiteral("\\u%1").arg(int(code), 4, 16, QLatin1Char('0'));
        else
            result += c;
    }
    return result;
}

QString quotedValue(const QString& text) {
    constexpr qsizetype shown = 40;
    if (text.size() <= shown)
        return u'"' + text + u'"';
    return QStringLiteral("\"%1...\" (%2 characters)").arg(text.left(shown)).arg(text.size());
}
