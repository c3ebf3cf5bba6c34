#include "frm_port_master.h"
#include "frm_ship_particulars.h"
#include "frm_ship_tables.h"
#include "masters_fixture.h"
#include "register.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTableView>
#include <functional>

namespace {

using WindowMaker = std::function<std::unique_ptr<MasterWindow>(ChildHost&)>;

// The window as the frame makes it, on the shared connection.
template <typename Window> WindowMaker maker() {
    return [](ChildHost& host) { return std::make_unique<Window>(host, *gcnnStore); };
}

// Chooses the first port, ship or table, as the user would before changing it.
void chooseFirst(QWidget& window) {
    if (auto* ports = window.findChild<QListView*>(QStringLiteral("dlstPortMaster")))
        ports->setCurrentIndex(ports->model()->index(0, 0));
}

} // namespace

Q_DECLARE_METATYPE(WindowMaker)

// A master window on a register the user may not change offers none of the
// commands that would change it, and says why.
class TestReadOnlyRegister : public QObject {
    Q_OBJECT

private slots:
    void changeCommandsFollowTheRegister_data();
    void changeCommandsFollowTheRegister();
};

void TestReadOnlyRegister::changeCommandsFollowTheRegister_data() {
    QTest::addColumn<WindowMaker>("make");
    QTest::addColumn<bool>("readOnly");
    // Enabled exactly when the register may be changed.
    QTest::addColumn<QStringList>("changers");
    QTest::addColumn<QString>("commands");

    const QStringList portFields{QStringLiteral("txtPortName"), QStringLiteral("txtCity"),
                                 QStringLiteral("txtCountry")};
    const QStringList shipFields{QStringLiteral("txtLBP"), QStringLiteral("txtLightShip"),
                                 QStringLiteral("dcbPortOfRegistry")};
    const QStringList tableButtons{QStringLiteral("cmdImportFile"), QStringLiteral("cmdPaste"),
                                   QStringLiteral("cmdDelete")};
    QTest::newRow("ports") << maker<frmPortMaster>() << false << portFields
                           << "New Save Delete Close";
    QTest::newRow("ports, read-only") << maker<frmPortMaster>() << true << portFields << "Close";
    QTest::newRow("ships") << maker<frmShipParticulars>() << false << shipFields
                           << "New Save Delete Close";
    QTest::newRow("ships, read-only")
        << maker<frmShipParticulars>() << true << shipFields << "Close";
    QTest::newRow("tables") << maker<frmShipTables>() << false << tableButtons << "Delete Close";
    QTest::newRow("tables, read-only") << maker<frmShipTables>() << true << tableButtons << "Close";
}

void TestReadOnlyRegister::changeCommandsFollowTheRegister() {
    QFETCH(WindowMaker, make);
    QFETCH(bool, readOnly);
    QFETCH(QStringList, changers);
    QFETCH(QString, commands);
    MastersFixture fixture;
    ShipTable table;
    table.shipID = 1;
    table.declaration.density = Decimal::fromText(QStringLiteral("1.025"));
    TableRow row;
    row[TableColumn::Draft] = Decimal::fromText(QStringLiteral("5.00"));
    row[TableColumn::Displacement] = Decimal::fromText(QStringLiteral("20000"));
    table.rows = {row};
    Register(*gcnnStore).insertShipTable(table);
    if (readOnly) {
        QVERIFY(QFile::setPermissions(databaseFileIn(fixture.folder.path()),
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        gcnnStore->open(gcnnStore->connectionText());
    }

    const std::unique_ptr<MasterWindow> window = make(fixture.host);
    window->show();
    chooseFirst(*window);

    const auto* notice = window->findChild<QLabel*>(QStringLiteral("lblRegisterReadOnly"));
    QVERIFY(notice);
    QCOMPARE(notice->isVisible(), readOnly);
    QCOMPARE(notice->text(), readOnlyRegisterNotice());
    QCOMPARE(fixture.host.mask, commands);
    for (const QString& name : changers) {
        const QWidget* changer = window->findChild<QWidget*>(name);
        QVERIFY2(changer, qPrintable(name));
        if (const auto* field = qobject_cast<const QLineEdit*>(changer))
            QVERIFY2(field->isReadOnly() == readOnly, qPrintable(name));
        else
            QVERIFY2(changer->isEnabled() == !readOnly, qPrintable(name));
    }
    if (const auto* rows = window->findChild<QTableView*>(QStringLiteral("grdRows")))
        QCOMPARE(rows->model()->flags(rows->model()->index(0, 0)).testFlag(Qt::ItemIsEditable),
                 !readOnly);
    if (!readOnly)
        return;
    // A command that reaches the window all the same changes nothing and asks nothing.
    window->RNew();
    window->RSave();
    window->RDelete();
    QCOMPARE(fixture.messages.texts(), QStringList());
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Ship"), 1);
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM HydrostaticTable"), 1);
}

QTEST_MAIN(TestReadOnlyRegister)
#include "test_read_only_register.moc"
