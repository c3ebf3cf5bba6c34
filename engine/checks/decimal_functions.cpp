#include "decimal_functions.h"

namespace {

const Decimal& pi() {
    static const Decimal value = Decimal::fromText(u"3.1415926535897932384626433833");
    return value;
}

// The arc tangent in radians of a small ratio, by its series.
Decimal smallArcTangent(const Decimal& x) {
    const Decimal square = x * x;
    Decimal power = x;
    Decimal sum = x;
    for (int n = 1; n < 60; ++n) {
        power = -(power * square);
        const Decimal term = power / Decimal(2 * n + 1);
        if (term.isZero())
            break;
        sum = sum + term;
    }
    return sum;
}

} // namespace

Decimal squareRoot(const Decimal& value) {
    Q_ASSERT(value.sign() >= 0);
    if (value.sign() <= 0)
        return Decimal();
    // Starting above the root, Newton's steps fall towards it; the first
    // step that does not fall is where rounding takes over.
    Decimal root = (value + Decimal(1)) / Decimal(2);
    for (;;) {
        const Decimal next = (root + value / root) / Decimal(2);
        if (next >= root)
            return root;
        root = next;
    }
}

Decimal arcTangentDegrees(const Decimal& ratio) {
    // Halving the angle until its tangent is small makes the series quick.
    Decimal x = ratio;
    Decimal factor = 1;
    const Decimal small = Decimal::fromText(u"0.1");
    while (x.abs() > small) {
        x = x / (Decimal(1) + squareRoot(Decimal(1) + x * x));
        factor = factor * Decimal(2);
    }
    return smallArcTangent(x) * factor * Decimal(180) / pi();
}

QString groupedText(const Decimal& value, int decimals) {
    const QString plain = value.rounded(decimals).abs().toString();
    QString whole = plain.section(u'.', 0, 0);
    QString fraction = plain.section(u'.', 1);
    for (int i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, u',');
    fraction = fraction.leftJustified(decimals, u'0');
    const bool negative = value.rounded(decimals).sign() < 0;
    return (negative ? QStringLiteral("-") : QString()) + whole +
           (decimals > 0 ? QStringLiteral(".") + fraction : QString());
}
