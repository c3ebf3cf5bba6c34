#include "jet_dialect.h"

#include <QList>

namespace {

bool startsWord(const QString& text, qsizetype at, QLatin1String word) {
    if (at > 0 && (text[at - 1].isLetterOrNumber() || text[at - 1] == u'_'))
        return false;
    return QStringView(text).mid(at).startsWith(word, Qt::CaseInsensitive);
}

} // namespace

QString translateJetStatement(const QString& statement) {
    const QLatin1String mid("Mid$(");
    const QLatin1String left("Left$(");

    QString result;
    result.reserve(statement.size());
    // One entry per open parenthesis: true while a Left$ still waits for
    // the start position inserted after its first argument.
    QList<bool> awaitingStart;
    bool quoted = false;

    for (qsizetype i = 0; i < statement.size(); ++i) {
        const QChar c = statement[i];
        if (quoted) {
            result += c;
            quoted = c != u'\'';
            continue;
        }
        if (c == u'\'') {
            // A doubled quote inside a literal closes and reopens it, which
            // this toggle handles without special care.
            quoted = true;
            result += c;
        } else if (startsWord(statement, i, mid)) {
            result += QStringLiteral("substr(");
            awaitingStart.append(false);
            i += mid.size() - 1;
        } else if (startsWord(statement, i, left)) {
            result += QStringLiteral("substr(");
            awaitingStart.append(true);
            i += left.size() - 1;
        } else if (c == u'(') {
            result += c;
            awaitingStart.append(false);
        } else if (c == u')') {
            result += c;
            if (!awaitingStart.isEmpty())
                awaitingStart.removeLast();
        } else if (c == u',' && !awaitingStart.isEmpty() && awaitingStart.last()) {
            result += QStringLiteral(",1,");
            awaitingStart.last() = false;
        } else if (c == u'&') {
            result += QStringLiteral("||");
        } else {
            result += c;
        }
    }
    return result;
}
