#include "frm_port_master.h"
#include "frm_ship_particulars.h"
#include "master_windows.h"
#include "private_postgres.h"
#include "shell_fixture.h"
#include "working_windows.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QTest>

namespace {

const char* const Lost = "The connection to the register was lost: ";

template <typename T> T* partOf(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

} // namespace

// A server that goes away is said as lost, and File > Reconnect to the
// Register brings it back with the windows read again and what was typed
// kept.
class TestReconnectRegister : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void aLostServerIsSaidAndReconnectReadsTheWindowsAgain();

private:
    PrivatePostgres* m_server = nullptr;
};

void TestReconnectRegister::initTestCase() {
    m_server = &PrivatePostgres::instance();
    if (!m_server->problem().isEmpty())
        QSKIP(qPrintable(m_server->problem()));
}

void TestReconnectRegister::aLostServerIsSaidAndReconnectReadsTheWindowsAgain() {
    const QString database = m_server->newDatabase();
    const QString address = m_server->address(database);
    createDatabase(address);
    Shell shell(false);
    QVERIFY(OpenRegisterAt(address));
    registerMasterWindows(shell.registry);
    registerWorkingWindows(shell.registry);
    frmMDI& frame = shell.makeFrame();
    frame.show();

    QWidget* worksheet = frame.openWorkingChild(WorkingWindow::Loading);
    auto* ship = partOf<QComboBox>(worksheet, "dcbShip");
    ship->setCurrentIndex(0);
    QWidget* ships = frame.openWorkingChild(WorkingWindow::ShipParticulars);
    QTest::keyClicks(partOf<QLineEdit>(ships, "txtFlag"), QStringLiteral(" typed"));
    QWidget* ports = frame.openWorkingChild(WorkingWindow::PortMaster);
    auto* portList = partOf<QListView>(ports, "dlstPortMaster");
    portList->setCurrentIndex(portList->model()->index(0, 0));
    QCOMPARE(portList->model()->rowCount(), 1);
    shell.messages.clear();

    QVERIFY(m_server->stop());
    static_cast<frmPortMaster*>(ports)->RSave();
    shell.find("mnuFileReconnect")->trigger();
    const QStringList whileAway = shell.messages.texts();
    QVERIFY(m_server->start());
    QCOMPARE(m_server->administer(QStringLiteral("INSERT INTO Port (PortName) VALUES ('Later')"),
                                  database),
             QString());
    QCOMPARE(m_server->administer(QStringLiteral("INSERT INTO Ship (ShipName) VALUES ('Later')"),
                                  database),
             QString());

    // The update question, the save's failure, then the refused reconnection.
    QCOMPARE(whileAway.size(), 3);
    QVERIFY2(whileAway.at(1).startsWith(QLatin1String(Lost)), qPrintable(whileAway.at(1)));
    QVERIFY2(!whileAway.at(1).contains(QStringLiteral("FATAL")), qPrintable(whileAway.at(1)));
    QVERIFY(whileAway.at(1).contains(QStringLiteral("Your survey is kept.")));
    QVERIFY(whileAway.at(1).contains(QStringLiteral("File > Reconnect to the Register")));
    QVERIFY2(whileAway.at(2).contains(QStringLiteral("cannot be opened")),
             qPrintable(whileAway.at(2)));

    // A second try still knows the address the failed one cleared.
    shell.messages.clear();
    shell.find("mnuFileReconnect")->trigger();
    QCOMPARE(shell.messages.texts(), QStringList{QStringLiteral("The register is open again.")});
    QVERIFY(gcnnStore->isOpen());
    QCOMPARE(portList->model()->rowCount(), 2);
    QCOMPARE(partOf<QComboBox>(ships, "cmbShipName")->count(), 2);
    QCOMPARE(ship->count(), 2);
    QCOMPARE(ship->currentIndex(), 0);
    QVERIFY(partOf<QLineEdit>(ships, "txtFlag")->text().endsWith(QStringLiteral(" typed")));
    // The port master's fields, kept, save now.
    shell.messages.clear();
    static_cast<frmPortMaster*>(ports)->RSave();
    QCOMPARE(shell.messages.texts().value(1),
             QStringLiteral("One record has been updated successfully."));
}

QTEST_MAIN(TestReconnectRegister)
#include "test_reconnect_register.moc"
