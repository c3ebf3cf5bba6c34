#pragma once

#include "command_names.h"
#include "connection.h"
#include "create_database.h"
#include "frm_calvane.h"
#include "frm_dsdispatch.h"
#include "message_service.h"
#include "survey.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The main window as a worksheet sees it: the commands and hints it was sent.
class RecordingHost : public ChildHost {
public:
    void enabledCommandsChanged(Commands enabled) override { masks.append(commandNames(enabled)); }
    void setStatusMessage(const QString& text) override { status = text; }
    QString surveyFolder() const override { return folder; }
    QStringList masks;
    QString status;
    QString folder;
};

// A database of the test's own holding the sample surveys' ship (as
// "Tasman Sample", LBP 217, light ship 10800) and ports,
// and one worksheet on it, shown and active, with its messages recorded.
class WorksheetFixture {
    QTemporaryDir m_dir;

public:
    explicit WorksheetFixture(Worksheet kind) {
        const QString file = databaseFileIn(m_dir.path());
        createDatabase(file);
        gcnnStore = std::make_unique<Connection>(QStringLiteral("worksheet-test"));
        gcnnStore->open(file);
        gcnnStore->execute(
            QStringLiteral("INSERT INTO Ship (ShipName, LBP, LightShip) VALUES (?, ?, ?)"),
            {Variant(QStringLiteral("Tasman Sample")), Variant(Decimal::fromText(u"217")),
             Variant(Decimal::fromText(u"10800"))});
        gcnnStore->execute(QStringLiteral("INSERT INTO Port (PortName) VALUES (?)"),
                           {Variant(QStringLiteral("Qingdao"))});
        worksheet = makeWorksheet(kind);
        worksheet->resize(1600, 760);
        worksheet->show();
        QApplication::setActiveWindow(worksheet.get());
        QVERIFY(QTest::qWaitForWindowActive(worksheet.get()));
    }
    ~WorksheetFixture() {
        worksheet.reset();
        gcnnStore.reset();
    }

    template <typename T = QLineEdit> T* find(const char* name) const {
        return worksheet->findChild<T*>(QString::fromLatin1(name));
    }
    QString focused() const {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }
    // Text typed into the focused control, then Enter (or `key`); the
    // checks that run when a field is left have run when this returns.
    void type(const QString& text, Qt::Key key = Qt::Key_Return,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        if (!text.isEmpty()) {
            QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(focus, text);
        }
        QTest::keyClick(focus, key, modifiers);
        QCoreApplication::processEvents();
        if (QWidget* now = QApplication::focusWidget(); watchView && now && !inView(*now))
            outOfView.append(now->objectName());
    }
    // Wholly inside the part of the sheet the window shows.
    bool inView(const QWidget& control) const {
        const QWidget* viewport = find<QScrollArea>("scrollWorksheet")->viewport();
        const QRect shown(control.mapTo(viewport, QPoint(0, 0)), control.size());
        return viewport->rect().contains(shown);
    }
    // The controls `type` left the focus in out of sight, while `watchView`.
    bool watchView = false;
    QStringList outOfView;
    void chooseShip() {
        find<QComboBox>("dcbShip")->setFocus();
        QTest::keyClicks(find<QComboBox>("dcbShip"), QStringLiteral("tas"));
    }
    void calculate() {
        find<QWidget>("cmdCalculate")->setFocus();
        QTest::keyClick(find<QWidget>("cmdCalculate"), Qt::Key_Space);
        QCoreApplication::processEvents();
    }
    QString cell(const char* grid, int row, int column) const {
        const QTableWidgetItem* item = find<QTableWidget>(grid)->item(row, column);
        return item ? item->text() : QString();
    }

    // A worksheet of `kind` on a survey of its own, kept until the fixture
    // goes.
    std::unique_ptr<SurveyWorksheet> makeWorksheet(Worksheet kind) {
        surveys.push_back(std::make_unique<Survey>(kind));
        Survey& survey = *surveys.back();
        if (kind == Worksheet::Loading)
            return std::make_unique<frmCalvane>(survey, host);
        return std::make_unique<frmDSDispatch>(survey, host);
    }

    ScopedMessageRecorder messages;
    RecordingHost host;
    std::vector<std::unique_ptr<Survey>> surveys;
    std::unique_ptr<SurveyWorksheet> worksheet;
};
