#include "json_duplicate_key.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

namespace {

// Walks a JSON text known to be well formed, keeping only what the search
// for repeated keys needs.
class KeyScanner {
public:
    explicit KeyScanner(const QByteArray& json) : m_json(json) {}

    QString run() {
        // Qt's reader passes over a byte-order mark; so must the scan.
        if (m_json.startsWith("\xEF\xBB\xBF"))
            m_at = 3;
        value(QString());
        return m_found;
    }

private:
    char peek() {
        while (m_at < m_json.size() && isSpace(m_json[m_at]))
            ++m_at;
        return m_at < m_json.size() ? m_json[m_at] : '\0';
    }
    static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    static QString join(const QString& path, const QString& key) {
        return path.isEmpty() ? key : path + QLatin1Char('.') + key;
    }

    void value(const QString& path) {
        switch (peek()) {
        case '{':
            object(path);
            break;
        case '[':
            array(path);
            break;
        case '"':
            string();
            break;
        default:
            while (m_at < m_json.size() && !isSpace(m_json[m_at]) && m_json[m_at] != ',' &&
                   m_json[m_at] != '}' && m_json[m_at] != ']')
                ++m_at;
        }
    }

    void object(const QString& path) {
        ++m_at; // {
        QSet<QString> keys;
        while (m_found.isEmpty() && peek() != '}' && m_at < m_json.size()) {
            const QString key = string();
            if (keys.contains(key)) {
                m_found = join(path, key);
                return;
            }
            keys.insert(key);
            peek();
            ++m_at; // :
            value(join(path, key));
            if (peek() == ',')
                ++m_at;
        }
        ++m_at; // }
    }

    void array(const QString& path) {
        ++m_at; // [
        for (int index = 0; m_found.isEmpty() && peek() != ']' && m_at < m_json.size(); ++index) {
            value(path + QStringLiteral("[%1]").arg(index));
            if (peek() == ',')
                ++m_at;
        }
        ++m_at; // ]
    }

    // A string's decoded text, so that "fwdPort" and "fwd\u0050ort" are the
    // same key.
    QString string() {
        peek();
        const qsizetype start = m_at++;
        while (m_at < m_json.size() && m_json[m_at] != '"')
            m_at += m_json[m_at] == '\\' ? 2 : 1;
        ++m_at;
        const QByteArray literal = m_json.mid(start, m_at - start);
        if (!literal.contains('\\'))
            return QString::fromUtf8(literal.mid(1, literal.size() - 2));
        return decoded(literal);
    }

    // Rare: Qt's reader undoes the escapes.
    static QString decoded(const QByteArray& literal) {
        return QJsonDocument::fromJson('[' + literal + ']').array().at(0).toString();
    }

    const QByteArray& m_json;
    qsizetype m_at = 0;
    QString m_found;
};

} // namespace

QString duplicateKeyPath(const QByteArray& json) {
    return KeyScanner(json).run();
}
