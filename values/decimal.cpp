#include "decimal.h"

#include "decimal_reference.h"
#include "errors.h"

#include <algorithm>
#include <array>
#include <boost/multiprecision/cpp_int.hpp>
#include <limits>

namespace mp = boost::multiprecision;

// Wide enough for a 96-bit coefficient times 10^57, the largest
// intermediate a quotient needs; used only where 128 bits do not suffice.
using Wide = mp::int512_t;
using Int128 = Decimal::Coefficient;
__extension__ typedef unsigned __int128 UInt128;

namespace {

constexpr int MaxWidePower = 60;
constexpr int MaxNativePower = 38;   // 10^38 < 2^128
constexpr int MaxLeadingDigits = 19; // 10^19 < 2^64
constexpr Int128 MaxCoefficient = (Int128(1) << 96) - 1;

const std::array<Wide, MaxWidePower + 1>& widePowers() {
    static const std::array<Wide, MaxWidePower + 1> table = [] {
        std::array<Wide, MaxWidePower + 1> powers{};
        powers[0] = 1;
        for (size_t i = 1; i < powers.size(); ++i)
            powers[i] = powers[i - 1] * 10;
        return powers;
    }();
    return table;
}

const Wide& widePow10(int exponent) {
    return widePowers()[static_cast<size_t>(exponent)];
}

constexpr std::array<UInt128, MaxNativePower + 1> nativePowers = [] {
    std::array<UInt128, MaxNativePower + 1> powers{};
    powers[0] = 1;
    for (size_t i = 1; i < powers.size(); ++i)
        powers[i] = powers[i - 1] * 10;
    return powers;
}();

UInt128 pow10(int exponent) {
    return nativePowers[static_cast<size_t>(exponent)];
}

// 2^96 * 10^drop: a magnitude at least this still needs more than 96 bits
// once `drop` digits are dropped. From 10 digits on no 128-bit magnitude
// does, so the table ends there.
constexpr int FitLimitCount = 10;
constexpr std::array<UInt128, FitLimitCount> fitLimits = [] {
    std::array<UInt128, FitLimitCount> limits{};
    for (size_t i = 0; i < limits.size(); ++i)
        limits[i] = (UInt128(1) << 96) * nativePowers[i];
    return limits;
}();

// floor(magnitude / 10^drop) > MaxCoefficient, without dividing.
bool exceedsAfterDrop(UInt128 magnitude, int drop) {
    return drop < FitLimitCount && magnitude >= fitLimits[static_cast<size_t>(drop)];
}

// 2^127 / 10^digits: a quotient below this can take `digits` more digits
// and stay a positive 128-bit integer.
constexpr int MaxDigitStep = 19;
constexpr std::array<UInt128, MaxDigitStep + 1> digitStepLimits = [] {
    std::array<UInt128, MaxDigitStep + 1> limits{};
    for (size_t i = 0; i < limits.size(); ++i)
        limits[i] = (UInt128(1) << 127) / nativePowers[i];
    return limits;
}();

UInt128 magnitudeOf(Int128 value) {
    return value < 0 ? UInt128(0) - UInt128(value) : UInt128(value);
}

const Wide& wideMax() {
    static const Wide max = (Wide(1) << 96) - 1;
    return max;
}

Wide toWide(Int128 value) {
    const bool negative = value < 0;
    const UInt128 magnitude = negative ? UInt128(0) - UInt128(value) : UInt128(value);
    Wide wide = Wide(quint64(magnitude >> 64));
    wide <<= 64;
    wide += quint64(magnitude);
    return negative ? Wide(-wide) : wide;
}

// Decimal digits of a positive number, at most one too few.
int estimatedDigits(const Wide& magnitude) {
    if (magnitude == 0)
        return 1;
    const auto bits = static_cast<long long>(mp::msb(magnitude));
    return static_cast<int>(bits * 30103 / 100000) + 1;
}

// Half to even: whether `kept` goes up, given what was dropped below it
// (`rest` of `divisor`) and whether anything beyond that was non-zero.
template <typename T> bool roundsUp(const T& kept, const T& rest, const T& divisor, bool inexact) {
    const T twice = rest * 2;
    return twice > divisor || (twice == divisor && (inexact || (kept & 1) != 0));
}

} // namespace

class DecimalArithmetic {
public:
    // Brings an exact value (plus, when `inexact`, a trace below its last
    // digit) to scale <= 28 and a 96-bit coefficient, rounding half to even.
    static Decimal fit(Int128 value, int scale, bool inexact = false) {
        const bool negative = value < 0;
        const UInt128 magnitude = negative ? UInt128(0) - UInt128(value) : UInt128(value);
        if (scale <= Decimal::MaxScale && magnitude <= UInt128(MaxCoefficient) && !inexact)
            return {value, scale};
        int drop = std::min(std::max(0, scale - Decimal::MaxScale), scale);
        while (drop < scale && drop <= MaxNativePower && exceedsAfterDrop(magnitude, drop))
            ++drop;
        for (;;) {
            UInt128 kept = 0;
            if (drop > MaxNativePower) {
                kept = 0; // less than half of the last place kept
            } else if (drop > 0) {
                const UInt128 divisor = pow10(drop);
                kept = magnitude / divisor;
                if (roundsUp(kept, magnitude % divisor, divisor, inexact))
                    ++kept;
            } else {
                kept = magnitude;
            }
            if (kept <= UInt128(MaxCoefficient)) {
                const Int128 coefficient = Int128(kept);
                return {negative ? -coefficient : coefficient, scale - drop};
            }
            if (drop >= scale)
                throw ProgramError::overflow();
            ++drop;
        }
    }

    static Decimal fitWide(Wide value, int scale, bool inexact) {
        const bool negative = value < 0;
        if (negative)
            value = -value;
        int drop = std::max({0, scale - Decimal::MaxScale, estimatedDigits(value) - 30});
        drop = std::min(drop, scale);
        while (drop < scale && value / widePow10(drop) > wideMax())
            ++drop;
        for (;;) {
            Wide kept = value;
            if (drop > 0) {
                const Wide& divisor = widePow10(drop);
                Wide rest;
                mp::divide_qr(value, divisor, kept, rest);
                if (roundsUp(kept, rest, divisor, inexact))
                    ++kept;
            }
            if (kept <= wideMax()) {
                const Int128 coefficient = Int128(static_cast<long long>(kept >> 64)) << 64 |
                                           Int128(static_cast<unsigned long long>(kept & ~0ULL));
                return {negative ? -coefficient : coefficient, scale - drop};
            }
            if (drop >= scale)
                throw ProgramError::overflow();
            ++drop;
        }
    }

    // The coefficient at a larger scale, when it fits in 128 bits.
    static bool rescale(const Decimal& d, int toScale, Int128& out) {
        const int by = toScale - d.m_scale;
        if (by == 0) {
            out = d.m_coefficient;
            return true;
        }
        // Two factors under 2^63 cannot overflow: no 128-bit overflow check.
        constexpr Int128 small = Int128(1) << 63;
        if (by <= MaxLeadingDigits - 1 && d.m_coefficient < small && d.m_coefficient > -small) {
            out = d.m_coefficient * Int128(pow10(by));
            return true;
        }
        return by <= MaxNativePower &&
               !__builtin_mul_overflow(d.m_coefficient, Int128(pow10(by)), &out);
    }

    static Wide widen(const Decimal& d, int toScale) {
        return toWide(d.m_coefficient) * widePow10(toScale - d.m_scale);
    }

    // The quotient at one place more than can ever be kept, so that the fit
    // always rounds, with any remainder as the trace below it.
    static int quotientExponent(const Decimal& a, const Decimal& b) {
        return Decimal::MaxScale + 1 - a.m_scale + b.m_scale;
    }

    static Decimal wideQuotient(const Decimal& a, const Decimal& b) {
        const Wide numerator = toWide(a.m_coefficient) * widePow10(quotientExponent(a, b));
        Wide quotient;
        Wide rest;
        mp::divide_qr(numerator, toWide(b.m_coefficient), quotient, rest);
        return fitWide(quotient, Decimal::MaxScale + 1, rest != 0);
    }

    // The same quotient by long division in 128 bits, a few digits at a
    // time; nothing when it grows past them (a whole part of about 10^9 or
    // more), which is then the wide division's to work out.
    static std::optional<Decimal> nativeQuotient(const Decimal& a, const Decimal& b) {
        const UInt128 divisor = magnitudeOf(b.m_coefficient);
        const UInt128 dividend = magnitudeOf(a.m_coefficient);
        UInt128 quotient = dividend / divisor;
        UInt128 rest = dividend % divisor;
        // rest < divisor: times 10^step it must still fit 128 bits.
        const int step = divisor <= std::numeric_limits<quint64>::max() ? MaxDigitStep : 9;
        for (int left = quotientExponent(a, b); left > 0;) {
            const int digits = std::min(left, step);
            if (quotient >= digitStepLimits[static_cast<size_t>(digits)])
                return std::nullopt;
            rest *= pow10(digits);
            quotient = quotient * pow10(digits) + rest / divisor;
            rest %= divisor;
            left -= digits;
        }
        const bool negative = (a.m_coefficient < 0) != (b.m_coefficient < 0);
        const Int128 signedQuotient = negative ? -Int128(quotient) : Int128(quotient);
        return fit(signedQuotient, Decimal::MaxScale + 1, rest != 0);
    }

    // A product past 128 bits (two 96-bit coefficients make at most 192)
    // in three 64-bit limbs: nine digits at a time are dropped, remembering
    // whether any was not zero, until it fits; the fit then rounds it. Nine
    // digits off a number that does not fit 127 bits never reach the place
    // the fit rounds at, so the result is the exact product rounded as
    // the fit rounds.
    static Decimal limbProduct(const Decimal& a, const Decimal& b) {
        const UInt128 x = magnitudeOf(a.m_coefficient);
        const UInt128 y = magnitudeOf(b.m_coefficient);
        const UInt128 xLow = quint64(x);
        const UInt128 yLow = quint64(y);
        const UInt128 xHigh = x >> 64; // below 2^32
        const UInt128 yHigh = y >> 64;
        const UInt128 low = xLow * yLow;
        const UInt128 middle = xHigh * yLow + xLow * yHigh + (low >> 64); // below 2^98
        quint64 limbs[3] = {quint64(low), quint64(middle), quint64((middle >> 64) + xHigh * yHigh)};
        const auto fitsNative = [&limbs] { return limbs[2] == 0 && (limbs[1] >> 63) == 0; };
        int scale = a.m_scale + b.m_scale;
        bool inexact = false;
        constexpr quint64 nineDigits = 1000000000;
        while (!fitsNative()) {
            if (scale < 9)
                throw ProgramError::overflow();
            UInt128 rest = 0;
            for (int limb = 2; limb >= 0; --limb) {
                const UInt128 part = rest << 64 | limbs[limb];
                limbs[limb] = quint64(part / nineDigits);
                rest = part % nineDigits;
            }
            inexact = inexact || rest != 0;
            scale -= 9;
        }
        const Int128 magnitude = Int128(UInt128(limbs[1]) << 64 | limbs[0]);
        const bool negative = (a.m_coefficient < 0) != (b.m_coefficient < 0);
        return fit(negative ? -magnitude : magnitude, scale, inexact);
    }
};

Decimal::Decimal(int whole) : m_coefficient(whole), m_scale(0) {}

Decimal Decimal::fromWhole(qint64 whole) {
    return {Coefficient(whole), 0};
}

std::optional<Decimal> Decimal::tryParse(QStringView text) {
    // Nearly every figure typed is a handful of digits with no blanks: at
    // most 19 characters after the sign hold at most 19 digits, which fit
    // 64 bits exactly, with no rounding and no leading zeros to drop.
    const bool hasSign = !text.isEmpty() && (text.front() == u'-' || text.front() == u'+');
    if (text.size() - qsizetype(hasSign) <= MaxLeadingDigits) {
        quint64 digits = 0;
        int digitCount = 0;
        int pointAt = -1;
        qsizetype i = qsizetype(hasSign);
        for (; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c >= u'0' && c <= u'9') {
                digits = digits * 10 + quint64(c - u'0');
                ++digitCount;
            } else if (c == u'.' && pointAt < 0) {
                pointAt = digitCount;
            } else {
                break;
            }
        }
        if (i == text.size() && digitCount > 0) {
            const Int128 value = text.front() == u'-' ? -Int128(digits) : Int128(digits);
            return Decimal(value, pointAt < 0 ? 0 : digitCount - pointAt);
        }
    }
    // Most numbers come without blanks; looking for them costs a call.
    if (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()))
        text = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    char kept[64];
    // The digits kept, read as they come: nearly every value fits 64 bits
    // and needs no second pass in 128.
    quint64 leading = 0;
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
        if (significantDigits > 0 || c != u'0') {
            kept[significantDigits++] = char(c.unicode());
            leading = leading * 10 + quint64(c.unicode() - u'0');
        }
        if (seenPoint)
            ++scale;
    }
    if (digitCount == 0)
        return std::nullopt;
    try {
        if (significantDigits <= MaxLeadingDigits) {
            const Int128 value = negative ? -Int128(leading) : Int128(leading);
            return DecimalArithmetic::fit(value, scale, inexact);
        }
        if (significantDigits <= MaxNativePower) {
            UInt128 digits = 0;
            for (int d = 0; d < significantDigits; ++d)
                digits = digits * 10 + UInt128(kept[d] - '0');
            const Int128 value = negative ? -Int128(digits) : Int128(digits);
            return DecimalArithmetic::fit(value, scale, inexact);
        }
        Wide digits = 0;
        for (int d = 0; d < significantDigits; ++d)
            digits = digits * 10 + (kept[d] - '0');
        return DecimalArithmetic::fitWide(negative ? Wide(-digits) : digits, scale, inexact);
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

namespace {

// Writes the decimal digits of `value` after `out`, at least `width` of
// them (zeros in front); returns the end.
char* writeDigits(quint64 value, int width, char* out) {
    char reversed[20];
    int count = 0;
    do {
        reversed[count++] = char('0' + int(value % 10));
        value /= 10;
    } while (value != 0);
    while (count < width)
        reversed[count++] = '0';
    while (count > 0)
        *out++ = reversed[--count];
    return out;
}

} // namespace

QString Decimal::toString() const {
    const UInt128 magnitude = magnitudeOf(m_coefficient);
    if (magnitude == 0)
        return QStringLiteral("0");
    // A 96-bit coefficient is at most 29 digits: 19 below 10^19 and the
    // rest above, each part 64 bits, so a single 128-bit division at most.
    constexpr int LowDigits = 19;
    char digits[40];
    char* digitsEnd = digits;
    if (magnitude <= std::numeric_limits<quint64>::max()) {
        digitsEnd = writeDigits(quint64(magnitude), 1, digits);
    } else {
        digitsEnd = writeDigits(quint64(magnitude / pow10(LowDigits)), 1, digits);
        digitsEnd = writeDigits(quint64(magnitude % pow10(LowDigits)), LowDigits, digitsEnd);
    }
    // No trailing zeros after the point.
    int scale = m_scale;
    while (scale > 0 && digitsEnd[-1] == '0') {
        --digitsEnd;
        --scale;
    }
    const int count = int(digitsEnd - digits);
    const int wholeDigits = count - scale; // 0 or less: "0." and zeros first
    const int leadingZeros = wholeDigits > 0 ? 0 : 1 - wholeDigits;
    const bool negative = m_coefficient < 0;
    QString text(qsizetype(negative) + leadingZeros + count + (scale > 0 ? 1 : 0),
                 Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    if (negative)
        *out++ = u'-';
    const int pointAt = wholeDigits > 0 ? wholeDigits : 1;
    for (int place = 0, digit = 0; place < leadingZeros + count; ++place) {
        if (place == pointAt)
            *out++ = u'.';
        *out++ = place < leadingZeros ? u'0' : char16_t(digits[digit++]);
    }
    return text;
}

Decimal Decimal::rounded(int decimals) const {
    if (decimals < 0 || decimals >= m_scale)
        return *this;
    const UInt128 divisor = pow10(m_scale - decimals);
    const bool negative = m_coefficient < 0;
    const UInt128 magnitude = magnitudeOf(m_coefficient);
    UInt128 kept = 0;
    // Shown values mostly fit 64 bits, where dividing is no library call;
    // twice the rest must fit too.
    constexpr int MaxNarrowDrop = 18;
    if (magnitude <= std::numeric_limits<quint64>::max() && m_scale - decimals <= MaxNarrowDrop) {
        const quint64 narrow = quint64(magnitude);
        const quint64 narrowDivisor = quint64(divisor);
        kept = narrow / narrowDivisor;
        if (roundsUp(quint64(kept), narrow % narrowDivisor, narrowDivisor, false))
            ++kept;
    } else {
        kept = magnitude / divisor;
        if (roundsUp(kept, magnitude % divisor, divisor, false))
            ++kept;
    }
    return {negative ? -Int128(kept) : Int128(kept), decimals};
}

qint64 Decimal::toWholeRounded() const {
    const Decimal whole = rounded(0);
    const Int128 c = whole.m_coefficient / Int128(pow10(whole.m_scale));
    if (c > std::numeric_limits<qint64>::max() || c < std::numeric_limits<qint64>::min())
        throw ProgramError::overflow();
    return static_cast<qint64>(c);
}

Decimal Decimal::abs() const {
    return m_coefficient < 0 ? -*this : *this;
}

Decimal Decimal::operator-() const {
    return {-m_coefficient, m_scale};
}

Decimal operator+(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.m_scale, b.m_scale);
    Int128 x = 0;
    Int128 y = 0;
    Int128 sum = 0;
    if (DecimalArithmetic::rescale(a, scale, x) && DecimalArithmetic::rescale(b, scale, y) &&
        !__builtin_add_overflow(x, y, &sum))
        return DecimalArithmetic::fit(sum, scale);
    return DecimalArithmetic::fitWide(
        DecimalArithmetic::widen(a, scale) + DecimalArithmetic::widen(b, scale), scale, false);
}

Decimal operator-(const Decimal& a, const Decimal& b) {
    return a + (-b);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
    Int128 product = 0;
    if (!__builtin_mul_overflow(a.m_coefficient, b.m_coefficient, &product))
        return DecimalArithmetic::fit(product, a.m_scale + b.m_scale);
    return DecimalArithmetic::limbProduct(a, b);
}

Decimal operator/(const Decimal& a, const Decimal& b) {
    if (b.m_coefficient == 0)
        throw ProgramError::divisionByZero();
    if (const std::optional<Decimal> quotient = DecimalArithmetic::nativeQuotient(a, b))
        return *quotient;
    return DecimalArithmetic::wideQuotient(a, b);
}

Decimal wideQuotient(const Decimal& a, const Decimal& b) {
    if (b.isZero())
        throw ProgramError::divisionByZero();
    return DecimalArithmetic::wideQuotient(a, b);
}

int compare(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.m_scale, b.m_scale);
    Int128 x = 0;
    Int128 y = 0;
    if (DecimalArithmetic::rescale(a, scale, x) && DecimalArithmetic::rescale(b, scale, y))
        return x < y ? -1 : (x > y ? 1 : 0);
    const Wide wa = DecimalArithmetic::widen(a, scale);
    const Wide wb = DecimalArithmetic::widen(b, scale);
    return wa < wb ? -1 : (wa > wb ? 1 : 0);
}

bool isNumericText(QStringView text) {
    return Decimal::tryParse(text).has_value();
}
