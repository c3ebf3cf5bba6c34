#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// An exact decimal number: a signed integer coefficient of at most 96 bits
// and a scale of 0 to 28 decimal places, value = coefficient / 10^scale.
// Sums, differences and products are exact when they fit; a result that
// does not fit is rounded half to even to the most places that fit, and a
// quotient likewise. A result whose whole part needs more than 96 bits
// raises the overflow error. No binary floating point is used anywhere.
class Decimal {
public:
    // The compiler's 128-bit integer: a 96-bit coefficient with room for
    // most intermediate results in machine arithmetic.
    __extension__ typedef __int128 Coefficient;
    static constexpr int MaxScale = 28;

    Decimal() = default;
    Decimal(int whole); // NOLINT: a whole number is a decimal with scale 0
    static Decimal fromWhole(qint64 whole);

    // Numeric text: blanks around, an optional sign, digits with at most one
    // point (".5" and "5." are numbers), nothing else. Digits beyond what
    // fits are rounded half to even. Refuses exponents, thousands separators
    // and anything the user's locale might read differently.
    static std::optional<Decimal> tryParse(QStringView text);
    // As tryParse, raising the type-mismatch error for text that is not a
    // number and the overflow error for one too large.
    static Decimal fromText(QStringView text);

    // Plain digits with a point, no exponent, no trailing zeros, never "-0".
    QString toString() const;

    bool isZero() const { return m_coefficient == 0; }
    int sign() const { return m_coefficient < 0 ? -1 : (m_coefficient > 0 ? 1 : 0); }

    // Half to even to the given number of places (0..28); fewer places
    // already held leave the value as it is.
    Decimal rounded(int decimals) const;
    // The whole part, rounded half to even.
    qint64 toWholeRounded() const;
    Decimal abs() const;

    Decimal operator-() const;
    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    // Raises the division-by-zero error for a zero divisor.
    friend Decimal operator/(const Decimal& a, const Decimal& b);

    friend int compare(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) { return compare(a, b) == 0; }
    friend bool operator!=(const Decimal& a, const Decimal& b) { return compare(a, b) != 0; }
    friend bool operator<(const Decimal& a, const Decimal& b) { return compare(a, b) < 0; }
    friend bool operator<=(const Decimal& a, const Decimal& b) { return compare(a, b) <= 0; }
    friend bool operator>(const Decimal& a, const Decimal& b) { return compare(a, b) > 0; }
    friend bool operator>=(const Decimal& a, const Decimal& b) { return compare(a, b) >= 0; }

private:
    Decimal(const Coefficient& coefficient, int scale)
        : m_coefficient(coefficient), m_scale(scale) {}

    Coefficient m_coefficient = 0;
    int m_scale = 0;

    friend class DecimalArithmetic;
};

// The one numeric-text test: true when the text is a number as
// Decimal::tryParse reads it and fits.
bool isNumericText(QStringView text);
