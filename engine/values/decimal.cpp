#include "decimal.h"

#include "errors.h"

#include <array>

namespace mp = boost::multiprecision;

// Wide enough for a 96-bit coefficient times 10^57, the largest
// intermediate a quotient needs.
using Wide = mp::int512_t;

namespace {

constexpr int MaxPower = 60;

const std::array<Wide, MaxPower + 1>& powersOfTen() {
    static const std::array<Wide, MaxPower + 1> table = [] {
        std::array<Wide, MaxPower + 1> powers{};
        powers[0] = 1;
        for (int i = 1; i <= MaxPower; ++i)
            powers[static_cast<size_t>(i)] = powers[static_cast<size_t>(i - 1)] * 10;
        return powers;
    }();
    return table;
}

const Wide& pow10(int exponent) {
    return powersOfTen()[static_cast<size_t>(exponent)];
}

const Wide& maxCoefficient() {
    static const Wide max = (Wide(1) << 96) - 1;
    return max;
}

// Decimal digits of a positive number, at most one too few.
int estimatedDigits(const Wide& magnitude) {
    if (magnitude == 0)
        return 1;
    const auto bits = static_cast<long long>(mp::msb(magnitude));
    return static_cast<int>(bits * 30103 / 100000) + 1;
}

} // namespace

class DecimalArithmetic {
public:
    // Brings an exact value (plus, when `inexact`, a trace below its last
    // digit) to scale <= 28 and a 96-bit coefficient, rounding half to even.
    static Decimal fit(Wide value, int scale, bool inexact) {
        const bool negative = value < 0;
        if (negative)
            value = -value;
        int drop = std::max({0, scale - Decimal::MaxScale, estimatedDigits(value) - 30});
        drop = std::min(drop, scale);
        while (drop < scale && value / pow10(drop) > maxCoefficient())
            ++drop;
        for (;;) {
            Wide kept = value;
            if (drop > 0) {
                const Wide& divisor = pow10(drop);
                Wide rest;
                mp::divide_qr(value, divisor, kept, rest);
                const Wide twice = rest * 2;
                const bool roundUp = twice > divisor ||
                                     (twice == divisor && (inexact || mp::bit_test(kept, 0)));
                if (roundUp)
                    ++kept;
            }
            if (kept <= maxCoefficient()) {
                Decimal::Coefficient coefficient = static_cast<Decimal::Coefficient>(kept);
                return {negative ? Decimal::Coefficient(-coefficient) : coefficient, scale - drop};
            }
            if (drop >= scale)
                throw ProgramError::overflow();
            ++drop;
        }
    }

    static Wide widen(const Decimal& d, int toScale) {
        return Wide(d.m_coefficient) * pow10(toScale - d.m_scale);
    }

    static Decimal make(const Decimal::Coefficient& c, int scale) { return {c, scale}; }
};

Decimal::Decimal(int whole) : m_coefficient(whole), m_scale(0) {}

Decimal Decimal::fromWhole(qint64 whole) {
    return {Coefficient(whole), 0};
}

Decimal Decimal::fromParts(const Coefficient& coefficient, int scale) {
    if (scale < 0 || scale > MaxScale)
        throw ProgramError::overflow();
    return DecimalArithmetic::fit(Wide(coefficient), scale, false);
}

std::optional<Decimal> Decimal::tryParse(QStringView text) {
    text = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    Wide digits = 0;
    int scale = 0;
    int digitCount = 0;
    int significantDigits = 0;
    bool seenPoint = false;
    bool inexact = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        ++digitCount;
        // Places beyond what can ever be kept only decide a tie.
        if (seenPoint && (scale >= Decimal::MaxScale + 2 || significantDigits >= 31)) {
            inexact = inexact || c != u'0';
            continue;
        }
        if (significantDigits > 60)
            return std::nullopt;
        digits = digits * 10 + (c.unicode() - u'0');
        if (digits != 0)
            ++significantDigits;
        if (seenPoint)
            ++scale;
    }
    if (digitCount == 0)
        return std::nullopt;
    if (negative)
        digits = -digits;
    try {
        return DecimalArithmetic::fit(digits, scale, inexact);
    } catch (const ProgramError&) {
        return std::nullopt;
    }
}

Decimal Decimal::fromText(QStringView text) {
    if (auto value = tryParse(text))
        return *value;
    // Tell a number that is too large from text that is no number at all.
    const QStringView trimmed = text.trimmed();
    bool syntax = !trimmed.isEmpty();
    int points = 0;
    int digits = 0;
    for (qsizetype i = 0; i < trimmed.size() && syntax; ++i) {
        const QChar c = trimmed[i];
        if (c == u'.')
            ++points;
        else if (c >= u'0' && c <= u'9')
            ++digits;
        else if (!(i == 0 && (c == u'+' || c == u'-')))
            syntax = false;
    }
    if (syntax && points <= 1 && digits > 0)
        throw ProgramError::overflow();
    throw ProgramError::typeMismatch();
}

QString Decimal::toString() const {
    Coefficient magnitude = m_coefficient < 0 ? Coefficient(-m_coefficient) : m_coefficient;
    int scale = m_scale;
    while (scale > 0 && magnitude % 10 == 0) {
        magnitude /= 10;
        --scale;
    }
    QString digits = QString::fromStdString(magnitude.str());
    if (scale > 0) {
        if (digits.size() <= scale)
            digits.prepend(QString(scale - digits.size() + 1, u'0'));
        digits.insert(digits.size() - scale, u'.');
    }
    if (m_coefficient < 0)
        digits.prepend(u'-');
    return digits;
}

Decimal Decimal::rounded(int decimals) const {
    if (decimals < 0 || decimals >= m_scale)
        return *this;
    const Wide& divisor = pow10(m_scale - decimals);
    const bool negative = m_coefficient < 0;
    Wide magnitude = Wide(m_coefficient);
    if (negative)
        magnitude = -magnitude;
    Wide kept;
    Wide rest;
    mp::divide_qr(magnitude, divisor, kept, rest);
    const Wide twice = rest * 2;
    if (twice > divisor || (twice == divisor && mp::bit_test(kept, 0)))
        ++kept;
    const Coefficient coefficient = static_cast<Coefficient>(kept);
    return {negative ? Coefficient(-coefficient) : coefficient, decimals};
}

qint64 Decimal::toWholeRounded() const {
    const Decimal whole = rounded(0);
    Coefficient c = whole.m_coefficient;
    for (int i = 0; i < whole.m_scale; ++i)
        c /= 10;
    if (c > std::numeric_limits<qint64>::max() || c < std::numeric_limits<qint64>::min())
        throw ProgramError::overflow();
    return static_cast<qint64>(c);
}

Decimal Decimal::abs() const {
    return m_coefficient < 0 ? -*this : *this;
}

Decimal Decimal::operator-() const {
    return {Coefficient(-m_coefficient), m_scale};
}

Decimal operator+(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.m_scale, b.m_scale);
    if (a.m_scale == b.m_scale) {
        // Two 96-bit coefficients cannot overflow 128 bits.
        const Decimal::Coefficient sum = a.m_coefficient + b.m_coefficient;
        const Decimal::Coefficient magnitude = sum < 0 ? Decimal::Coefficient(-sum) : sum;
        if (magnitude <= Decimal::Coefficient(maxCoefficient()))
            return DecimalArithmetic::make(sum, scale);
    }
    return DecimalArithmetic::fit(
        DecimalArithmetic::widen(a, scale) + DecimalArithmetic::widen(b, scale), scale, false);
}

Decimal operator-(const Decimal& a, const Decimal& b) {
    return a + (-b);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
    return DecimalArithmetic::fit(Wide(a.m_coefficient) * Wide(b.m_coefficient),
                                  a.m_scale + b.m_scale, false);
}

Decimal operator/(const Decimal& a, const Decimal& b) {
    if (b.m_coefficient == 0)
        throw ProgramError::divisionByZero();
    // The quotient at one place more than can ever be kept, so that fit()
    // always rounds, with any remainder as the trace below it.
    const int exponent = Decimal::MaxScale + 1 - a.m_scale + b.m_scale;
    const Wide numerator = Wide(a.m_coefficient) * pow10(exponent);
    Wide quotient;
    Wide rest;
    mp::divide_qr(numerator, Wide(b.m_coefficient), quotient, rest);
    return DecimalArithmetic::fit(quotient, Decimal::MaxScale + 1, rest != 0);
}

int compare(const Decimal& a, const Decimal& b) {
    if (a.m_scale == b.m_scale)
        return a.m_coefficient < b.m_coefficient ? -1 : (a.m_coefficient > b.m_coefficient ? 1 : 0);
    const int scale = std::max(a.m_scale, b.m_scale);
    const Wide wa = DecimalArithmetic::widen(a, scale);
    const Wide wb = DecimalArithmetic::widen(b, scale);
    return wa < wb ? -1 : (wa > wb ? 1 : 0);
}

bool isNumericText(QStringView text) {
    return Decimal::tryParse(text).has_value();
}
