#include "errors.h"
#include "variant.h"

#include <QTest>

Q_DECLARE_METATYPE(Variant)

namespace {

Variant number(const char* text) {
    return Variant(Decimal::fromText(QString::fromLatin1(text)));
}

Variant text(const char* value) {
    return Variant(QString::fromLatin1(value));
}

} // namespace

class TestVariant : public QObject {
    Q_OBJECT

private slots:
    void normalizes_data();
    void normalizes();
    void mismatchIsRaisedToTheCaller();
    void nullIsAnErrorWhereAValueIsNeeded();
};

// clang-format off
void TestVariant::normalizes_data() {
    QTest::addColumn<Variant>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("mode");
    QTest::addColumn<Variant>("expected");

    QTest::newRow("empty text, number") << text("") << -1 << 0 << Variant(0);
    QTest::newRow("three blanks, number") << text("   ") << -1 << 0 << Variant(0);
    QTest::newRow("three blanks, text") << text("   ") << -1 << 1 << Variant(QString());
    QTest::newRow("empty value, number") << Variant() << 3 << 0 << Variant(0);
    QTest::newRow("null counts as blank") << Variant::null() << -1 << 0 << Variant(0);
    QTest::newRow("blank, other mode") << text("") << -1 << 2 << Variant();
    QTest::newRow("text, other mode") << text("7.1") << -1 << 7 << Variant();
    QTest::newRow("unrounded number") << text(" 7.250 ") << -1 << 0 << number("7.25");
    QTest::newRow("text kept as typed") << text("7.1") << -1 << 1 << text("7.1");
    QTest::newRow("text kept with blanks") << text(" 7.10") << -1 << 1 << text(" 7.10");
    QTest::newRow("above half") << text("2.34567") << 3 << 0 << number("2.346");
    QTest::newRow("half to even") << text("2.3455") << 3 << 0 << number("2.346");
    QTest::newRow("text mode still rounds to a number") << text("2.0125") << 3 << 1 << number("2.012");
    QTest::newRow("whole number") << Variant(12) << 2 << 0 << number("12");
    QTest::newRow("decimal unrounded") << number("0.00980392156862745098") << -1 << 0 << number("0.00980392156862745098");
}
// clang-format on

void TestVariant::normalizes() {
    QFETCH(Variant, value);
    QFETCH(int, decimals);
    QFETCH(int, mode);
    QFETCH(Variant, expected);
    const Variant result = NormalizeValue(value, decimals, mode);
    QCOMPARE(int(result.kind()), int(expected.kind()));
    if (result.isNumber())
        QCOMPARE(result.toDecimal(), expected.toDecimal());
    else if (!result.isEmpty())
        QCOMPARE(result.toText(), expected.toText());
}

void TestVariant::mismatchIsRaisedToTheCaller() {
    for (const char* bad : {"abc", "7.5m", "1e3", "1,5"}) {
        try {
            NormalizeValue(text(bad), -1, 0);
            QFAIL(bad);
        } catch (const ProgramError& e) {
            QCOMPARE(e.code(), ErrorCode::TypeMismatch);
        }
    }
    // A text result never converts, so it never fails.
    QCOMPARE(NormalizeValue(text("abc"), -1, 1).toText(), QStringLiteral("abc"));
}

void TestVariant::nullIsAnErrorWhereAValueIsNeeded() {
    QVERIFY_THROWS_EXCEPTION(ProgramError, Variant::null().toDecimal());
    QVERIFY_THROWS_EXCEPTION(ProgramError, Variant::null().toText());
    QCOMPARE(Variant().toText(), QString());
    QCOMPARE(Variant().toDecimal(), Decimal());
    QCOMPARE(text("2.5").toWhole(), 2);
    QCOMPARE(text("3.5").toWhole(), 4);
}

QTEST_APPLESS_MAIN(TestVariant)
#include "test_variant.moc"
