#include "worksheet_fixture.h"

#include <QTest>

QTEST_MAIN(QObject)
