#include "decimal.h"
#include "decimal_reference.h"
#include "errors.h"

#include <QTest>
#include <boost/multiprecision/cpp_int.hpp>

namespace {

namespace mp = boost::multiprecision;

mp::cpp_rational rational(const QString& text) {
    const qsizetype point = text.indexOf(u'.');
    const int places = point < 0 ? 0 : int(text.size() - point - 1);
    const mp::cpp_int scale = mp::pow(mp::cpp_int(10), places);
    QString digits = QString(text).remove(u'.').remove(u'-');
    // A leading zero would make the digits octal.
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    const mp::cpp_int whole(digits.toStdString());
    return mp::cpp_rational(text.startsWith(u'-') ? mp::cpp_int(-whole) : whole, scale);
}

// An exact result as Decimal must give it: the most places up to 28 whose
// coefficient fits 96 bits, rounded half to even.
QString exactlyRounded(const mp::cpp_rational& exact) {
    const mp::cpp_rational q = mp::abs(exact);
    const bool negative = exact < 0;
    const mp::cpp_int max = (mp::cpp_int(1) << 96) - 1;
    for (int places = 28; places >= 0; --places) {
        const mp::cpp_rational scaled = q * mp::cpp_rational(mp::pow(mp::cpp_int(10), places));
        mp::cpp_int kept;
        mp::cpp_int rest;
        mp::divide_qr(mp::numerator(scaled), mp::denominator(scaled), kept, rest);
        const mp::cpp_int twice = rest * 2;
        if (twice > mp::denominator(scaled) ||
            (twice == mp::denominator(scaled) && (kept & 1) != 0))
            ++kept;
        if (kept > max)
            continue;
        QString digits = QString::fromStdString(kept.str()).rightJustified(places + 1, u'0');
        if (places > 0)
            digits.insert(digits.size() - places, u'.');
        while (digits.contains(u'.') && (digits.endsWith(u'0') || digits.endsWith(u'.')))
            digits.chop(1);
        return digits == QStringLiteral("0") || !negative ? digits : u'-' + digits;
    }
    return QStringLiteral("overflow");
}

// The quotient worked out independently, in exact rational arithmetic.
QString exactQuotient(const QString& a, const QString& b) {
    return exactlyRounded(rational(a) / rational(b));
}

QString exactProduct(const QString& a, const QString& b) {
    return exactlyRounded(rational(a) * rational(b));
}

// The result's text, or the error's.
template <typename Operation> QString outcomeOf(Operation operation) {
    try {
        return operation().toString();
    } catch (const ProgramError& e) {
        return QStringLiteral("error: ") + e.description();
    }
}

} // namespace

class TestDecimal : public QObject {
    Q_OBJECT

private slots:
    void parsesAndPrints_data();
    void parsesAndPrints();
    void shortFiguresReadAsPaddedOnes_data();
    void shortFiguresReadAsPaddedOnes();
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void arithmetic_data();
    void arithmetic();
    void quotientsMatchExactRationals_data();
    void quotientsMatchExactRationals();
    void quotientsOfEveryPairing();
    void quotientsAgreeWithWideDivision_data();
    void quotientsAgreeWithWideDivision();
    void productsPast128BitsMatchExactRationals_data();
    void productsPast128BitsMatchExactRationals();
    void comparesAcrossScales();
    void fromTextTellsOverflowFromMismatch();
};

// clang-format off
void TestDecimal::parsesAndPrints_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: refused

    QTest::newRow("plain") << "7.20" << "7.2";
    QTest::newRow("blanks around") << "  7.55 \t" << "7.55";
    QTest::newRow("plus sign") << "+5" << "5";
    QTest::newRow("negative") << "-0.073" << "-0.073";
    QTest::newRow("negative zero") << "-0.000" << "0";
    QTest::newRow("leading point") << ".5" << "0.5";
    QTest::newRow("trailing point") << "5." << "5";
    QTest::newRow("blank after only") << "7.5 " << "7.5";
    QTest::newRow("19 digits") << "9999999999999999999" << "9999999999999999999";
    QTest::newRow("20 digits") << "99999999999999999999" << "99999999999999999999";
    QTest::newRow("just past 64 bits, negative") << "-1844674407370955.1616" << "-1844674407370955.1616";
    QTest::newRow("64 bits exactly") << "18446744073709551615" << "18446744073709551615";
    QTest::newRow("largest") << "79228162514264337593543950335" << "79228162514264337593543950335";
    // Past 64 bits the digits come in two parts, the lower always 19 long.
    QTest::newRow("zeros inside the lower part") << "10000000000000000000.000000001" << "10000000000000000000.000000001";
    QTest::newRow("all 28 places") << "-7.9228162514264337593543950335" << "-7.9228162514264337593543950335";
    QTest::newRow("trailing zeros past 64 bits") << "0.1000000000000000000000000000" << "0.1";
    QTest::newRow("leading zeros after the point") << "0.0000000018446744073709551616" << "0.0000000018446744073709551616";
    QTest::newRow("whole past 64 bits") << "18446744073709551616.000" << "18446744073709551616";
    QTest::newRow("too many places rounds") << "0.1234567890123456789012345678901" << "0.1234567890123456789012345679";
    QTest::newRow("tie beyond 28 places goes to even") << "1.00000000000000000000000000005" << "1";
    QTest::newRow("tie with a trace above rounds up") << "1.000000000000000000000000000050001" << "1.0000000000000000000000000001";
    QTest::newRow("tiny rounds to zero") << "0.00000000000000000000000000000000000000001" << "0";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("point only") << "." << "";
    QTest::newRow("two points") << "7.2.1" << "";
    QTest::newRow("sign after blank inside") << "- 1" << "";
    QTest::newRow("exponent") << "1e3" << "";
    QTest::newRow("thousands separator") << "1,000" << "";
    QTest::newRow("decimal comma") << "7,5" << "";
    QTest::newRow("letters") << "abc" << "";
    QTest::newRow("non-ASCII digit") << QString(QChar(0x0663)) << "";
    QTest::newRow("overflow") << "79228162514264337593543950336" << "";
}
// clang-format on

void TestDecimal::parsesAndPrints() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const auto value = Decimal::tryParse(text);
    QCOMPARE(isNumericText(text), !expected.isEmpty());
    if (expected.isEmpty()) {
        QVERIFY(!value.has_value());
        return;
    }
    QVERIFY(value.has_value());
    QCOMPARE(value->toString(), expected);
}

// clang-format off
void TestDecimal::shortFiguresReadAsPaddedOnes_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("draft") << "7.55";
    QTest::newRow("leading zeros") << "007.5500";
    QTest::newRow("negative") << "-0.073";
    QTest::newRow("negative zero") << "-0.000";
    QTest::newRow("plus sign") << "+5";
    QTest::newRow("leading point") << ".5";
    QTest::newRow("trailing point") << "5.";
    QTest::newRow("19 digits") << "9999999999999999999";
    QTest::newRow("19 digits and a sign") << "-9999999999999999999";
    QTest::newRow("18 digits and a point") << "99999999.9999999999";
    QTest::newRow("20 digits") << "18446744073709551616";
    QTest::newRow("19 places") << "0.0000000000000000001";
    QTest::newRow("point only") << ".";
    QTest::newRow("sign only") << "-";
    QTest::newRow("two points") << "1.2.3";
    QTest::newRow("two signs") << "--1";
    QTest::newRow("letter") << "7.5a";
    QTest::newRow("empty") << "";
}
// clang-format on

// Short figures have a reading of their own; blanks around one send it the
// general way, which must read the same number.
void TestDecimal::shortFiguresReadAsPaddedOnes() {
    QFETCH(QString, text);
    const std::optional<Decimal> bare = Decimal::tryParse(text);
    const std::optional<Decimal> padded = Decimal::tryParse(QStringLiteral(" %1 ").arg(text));
    QCOMPARE(bare.has_value(), padded.has_value());
    if (bare) {
        QCOMPARE(bare->toString(), padded->toString());
        QCOMPARE((*bare * Decimal(3) / Decimal(7)).toString(),
                 (*padded * Decimal(3) / Decimal(7)).toString());
    }
}

// clang-format off
void TestDecimal::roundsHalfToEven_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("expected");

    QTest::newRow("2.0125 down to even") << "2.0125" << 3 << "2.012";
    QTest::newRow("2.0135 up to even") << "2.0135" << 3 << "2.014";
    QTest::newRow("2.3455 up to even") << "2.3455" << 3 << "2.346";
    QTest::newRow("-2.0125") << "-2.0125" << 3 << "-2.012";
    QTest::newRow("-2.3455") << "-2.3455" << 3 << "-2.346";
    QTest::newRow("1.5 to 2") << "1.5" << 0 << "2";
    QTest::newRow("2.5 to 2") << "2.5" << 0 << "2";
    QTest::newRow("-0.5 is never -0") << "-0.5" << 0 << "0";
    QTest::newRow("five places") << "6250.123456" << 5 << "6250.12346";
    QTest::newRow("eight places") << "7.6031862745098039215686274510" << 8 << "7.60318627";
    QTest::newRow("carry into whole") << "9.9995" << 3 << "10";
    // Either side of where the coefficient and the places dropped fit 64 bits.
    QTest::newRow("18 places dropped, tie") << "2.500000000000000000" << 0 << "2";
    QTest::newRow("19 places dropped, tie") << "0.5000000000000000000" << 0 << "0";
    QTest::newRow("19 places dropped, odd tie") << "1.5000000000000000000" << 0 << "2";
    QTest::newRow("2^64 - 1, tie") << "18446744073709551.615" << 2 << "18446744073709551.62";
    QTest::newRow("2^64 - 1 to whole") << "18446744073709551.615" << 0 << "18446744073709552";
    QTest::newRow("2^64") << "18446744073709551.616" << 2 << "18446744073709551.62";
    QTest::newRow("past 2^64, negative tie") << "-18446744073709551.625" << 2 << "-18446744073709551.62";
    QTest::newRow("past 2^64, carry") << "99999999999999999.995" << 2 << "100000000000000000";
}
// clang-format on

void TestDecimal::roundsHalfToEven() {
    QFETCH(QString, value);
    QFETCH(int, places);
    QFETCH(QString, expected);
    QCOMPARE(Decimal::fromText(value).rounded(places).toString(), expected);
}

// clang-format off
void TestDecimal::arithmetic_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QChar>("op");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("expected");

    QTest::newRow("exact sum") << "0.1" << QChar(u'+') << "0.2" << "0.3";
    QTest::newRow("sum across scales") << "7.2" << QChar(u'+') << "0.00980392" << "7.20980392";
    QTest::newRow("exact product") << "2.5" << QChar(u'*') << "0.70" << "1.75";
    QTest::newRow("product at 28 places") << "0.00000000000001" << QChar(u'*') << "0.000000000000015" << "0.0000000000000000000000000002";
    QTest::newRow("product rounded to fit") << "3.3333333333333333333333333333" << QChar(u'*') << "3" << "10";
    QTest::newRow("quotient to 28 places") << "1.75" << QChar(u'/') << "178.5" << "0.0098039215686274509803921569";
    QTest::newRow("two thirds round up") << "2" << QChar(u'/') << "3" << "0.6666666666666666666666666667";
    QTest::newRow("ten thirds keep 29 digits") << "10" << QChar(u'/') << "3" << "3.3333333333333333333333333333";
    QTest::newRow("exact quotient") << "15000" << QChar(u'/') << "1.025" << "14634.146341463414634146341463";
    QTest::newRow("large quotient") << "79228162514264337593543950335" << QChar(u'/') << "10" << "7922816251426433759354395033.5";
    // Past 128 bits on the way, within 96 bits at the end.
    QTest::newRow("wide product") << "79228162514264337593543950335" << QChar(u'*') << "0.0000000000000000000000000001" << "7.9228162514264337593543950335";
    QTest::newRow("wide sum rounds the small part away") << "79228162514264337593543950335" << QChar(u'+') << "0.4" << "79228162514264337593543950335";
    const char* overflow = "error: Overflow";
    QTest::newRow("sum past 96 bits") << "79228162514264337593543950335" << QChar(u'+') << "1" << overflow;
    QTest::newRow("product past 96 bits") << "79228162514264337593543950335" << QChar(u'*') << "10" << overflow;
    QTest::newRow("quotient past 96 bits") << "79228162514264337593543950335" << QChar(u'/') << "0.1" << overflow;
    QTest::newRow("divide by 0.000") << "1" << QChar(u'/') << "0.000" << "error: Division by zero";
}
// clang-format on

void TestDecimal::arithmetic() {
    QFETCH(QString, a);
    QFETCH(QChar, op);
    QFETCH(QString, b);
    QFETCH(QString, expected);
    const Decimal x = Decimal::fromText(a);
    const Decimal y = Decimal::fromText(b);
    QString result;
    try {
        switch (op.unicode()) {
        case u'+':
            result = (x + y).toString();
            break;
        case u'-':
            result = (x - y).toString();
            break;
        case u'*':
            result = (x * y).toString();
            break;
        default:
            result = (x / y).toString();
            break;
        }
    } catch (const ProgramError& e) {
        result = QStringLiteral("error: ") + e.description();
    }
    QCOMPARE(result, expected);
}

// clang-format off
void TestDecimal::quotientsMatchExactRationals_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");

    QTest::newRow("1/7, remainder past the 29th digit") << "1" << "7";
    QTest::newRow("22/7") << "22" << "7";
    QTest::newRow("100/7 keeps 27 places") << "100" << "7";
    QTest::newRow("-1/7") << "-1" << "7";
    QTest::newRow("1/70000") << "1" << "70000";
    QTest::newRow("tie at 28 places, odd goes up") << "3" << "20000000000000000000000000000";
    QTest::newRow("tie at 28 places, even stays") << "5" << "20000000000000000000000000000";
    QTest::newRow("negative tie") << "-7" << "20000000000000000000000000000";
    QTest::newRow("just above a tie") << "3.0000000000000000000000000001" << "20000000000000000000000000000";
    QTest::newRow("just below a tie") << "2.9999999999999999999999999999" << "20000000000000000000000000000";
    QTest::newRow("tie where 96 bits end") << "79228162514264337593543950335" << "2";
    QTest::newRow("tie on a whole number, odd") << "79228162514264337593543950335" << "10";
    QTest::newRow("tie on a whole number, even") << "79228162514264337593543950325" << "10";
    QTest::newRow("near tie in the last place kept") << "79228162514264337593543950335" << "9.999999999999999999999999999";
    QTest::newRow("scaled dividend and divisor") << "12345.678" << "0.0987";
    QTest::newRow("tiny by huge") << "0.0000000000000000000000000001" << "3";
    QTest::newRow("small remainder decides") << "1" << "3.0000000000000000000000000001";
}
// clang-format on

void TestDecimal::quotientsMatchExactRationals() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QCOMPARE((Decimal::fromText(a) / Decimal::fromText(b)).toString(), exactQuotient(a, b));
}

// Every pairing of numbers of all sizes and remainders, both ways round.
void TestDecimal::quotientsOfEveryPairing() {
    static const char* const spread[] = {"1",
                                         "-3",
                                         "7",
                                         "9.87",
                                         "0.0003",
                                         "123456789.123456789",
                                         "0.1428571428571428571428571429",
                                         "79228162514264337593543950335"};
    for (const char* x : spread) {
        for (const char* y : spread) {
            const QString a = QString::fromLatin1(x);
            const QString b = QString::fromLatin1(y);
            const QString exact = exactQuotient(a, b);
            if (exact != QStringLiteral("overflow"))
                QCOMPARE((Decimal::fromText(a) / Decimal::fromText(b)).toString(), exact);
        }
    }
}

// clang-format off
void TestDecimal::quotientsAgreeWithWideDivision_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");

    QTest::newRow("survey density") << "15123.456789" << "1.025";
    QTest::newRow("half a draft") << "7.55" << "2";
    QTest::newRow("interpolation factor") << "0.0042" << "0.01";
    QTest::newRow("negative dividend") << "-0.073" << "178.5";
    QTest::newRow("negative divisor") << "0.073" << "-178.5";
    QTest::newRow("both negative") << "-22" << "-7";
    QTest::newRow("zero dividend") << "0.000" << "7";
    QTest::newRow("carry through every nine") << "999999999.999999999" << "0.999999999";
    QTest::newRow("whole part just under 10^9") << "999999999" << "1";
    QTest::newRow("whole part 10^9") << "1000000000" << "1";
    QTest::newRow("whole part past 10^9") << "1234567890.5" << "0.3";
    QTest::newRow("dividend at 28 places") << "0.0000000000000000000000000001" << "7";
    QTest::newRow("divisor at 28 places") << "1" << "0.0000000000000000000000000007";
    QTest::newRow("both at 28 places") << "0.1428571428571428571428571429" << "0.0000000000000000000000000003";
    QTest::newRow("divisor just below 2^64") << "1" << "18446744073709551615";
    QTest::newRow("divisor 2^64") << "1" << "18446744073709551616";
    QTest::newRow("divisor past 2^64, remainder") << "79228162514264337593543950335" << "18446744073709551617";
    QTest::newRow("largest by largest") << "79228162514264337593543950335" << "79228162514264337593543950335";
    QTest::newRow("largest by 3") << "79228162514264337593543950335" << "3";
    QTest::newRow("tie at 28 places, odd") << "3" << "20000000000000000000000000000";
    QTest::newRow("tie at 28 places, even") << "5" << "20000000000000000000000000000";
    QTest::newRow("negative tie") << "-7" << "20000000000000000000000000000";
    QTest::newRow("tie where 96 bits end") << "79228162514264337593543950335" << "2";
    QTest::newRow("past 96 bits") << "79228162514264337593543950335" << "0.1";
}
// clang-format on

void TestDecimal::quotientsAgreeWithWideDivision() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    const Decimal x = Decimal::fromText(a);
    const Decimal y = Decimal::fromText(b);
    QCOMPARE(outcomeOf([&] { return x / y; }), outcomeOf([&] { return wideQuotient(x, y); }));
    QCOMPARE(outcomeOf([&] { return y / x; }), outcomeOf([&] { return wideQuotient(y, x); }));
}

// clang-format off
void TestDecimal::productsPast128BitsMatchExactRationals_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");

    // Each pair of coefficients multiplies past 128 bits.
    QTest::newRow("lcf times tpc") << "-2.4567891234567891234567891235" << "45.123456789012345678901234568";
    QTest::newRow("largest at 28 places squared") << "7.9228162514264337593543950335" << "7.9228162514264337593543950335";
    QTest::newRow("negative") << "-7.9228162514264337593543950335" << "1.0000000000000000000000000001";
    QTest::newRow("both negative") << "-3.3333333333333333333333333333" << "-3.3333333333333333333333333333";
    QTest::newRow("tie, odd goes up") << "1.0000000000000000000000000001" << "1.5000000000000000000000000000";
    QTest::newRow("tie, even stays") << "1.0000000000000000000000000003" << "1.5000000000000000000000000000";
    QTest::newRow("negative tie") << "-1.0000000000000000000000000001" << "1.5000000000000000000000000000";
    QTest::newRow("just above a tie, far below") << "1.0000000000000000000000000001" << "1.5000000000000000000000000001";
    QTest::newRow("just below a tie") << "1.0000000000000000000000000001" << "1.4999999999999999999999999999";
    QTest::newRow("carry through the kept places") << "9.9999999999999999999999999999" << "9.9999999999999999999999999999";
    QTest::newRow("rounded to a whole number") << "12345678901234567890.123456789" << "1234567890.1234567890123456789";
    QTest::newRow("whole part reaches 2^96") << "39614081257132168796771975168" << "2.0000000000000000000000000000";
    QTest::newRow("past 96 bits") << "79228162514264337593543950335" << "1.5000000000000000000000000000";
    QTest::newRow("no places left to drop") << "79228162514264337593543950335" << "79228162514264337593543950335";
}
// clang-format on

void TestDecimal::productsPast128BitsMatchExactRationals() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    const QString exact = exactProduct(a, b);
    const QString product = outcomeOf([&] { return Decimal::fromText(a) * Decimal::fromText(b); });
    QCOMPARE(product,
             exact == QStringLiteral("overflow") ? QStringLiteral("error: Overflow") : exact);
}

void TestDecimal::comparesAcrossScales() {
    QVERIFY(Decimal::fromText(u"1.50") == Decimal::fromText(u"1.5"));
    QVERIFY(Decimal::fromText(u"-0.1") < Decimal());
    QVERIFY(Decimal::fromText(u"100000") > Decimal::fromText(u"99999.99999"));
    QVERIFY(Decimal::fromText(u"0.000") == Decimal());
}

void TestDecimal::fromTextTellsOverflowFromMismatch() {
    try {
        Decimal::fromText(u"99999999999999999999999999999999");
        QFAIL("no error raised");
    } catch (const ProgramError& e) {
        QCOMPARE(e.code(), ErrorCode::Overflow);
    }
    try {
        Decimal::fromText(u"12a");
        QFAIL("no error raised");
    } catch (const ProgramError& e) {
        QCOMPARE(e.code(), ErrorCode::TypeMismatch);
    }
}

QTEST_APPLESS_MAIN(TestDecimal)
#include "test_decimal.moc"
