// Tests of the application object: title, main form, terminate request and the error box.
#include <Tallwick/Application.h>
#include <Tallwick/Exception.h>

#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <stdexcept>

using namespace Tallwick;

namespace {

// Every case builds its own application object, so no state passes from one case to the next.
int argc = 1;
char arg0[] = "tst_application";
char* argv[] = {arg0, nullptr};

struct ShownError {
    QString caption;
    QString text;
};

// A main form whose handlers run whatever the case gives them.
class TestForm : public QWidget {
public:
    std::function<void()> OnKey;
    std::function<void()> OnShow;
    int closeRefusals = 0;
    int showEvents = 0;

protected:
    void keyPressEvent(QKeyEvent*) override {
        if (OnKey)
            OnKey();
    }
    void showEvent(QShowEvent*) override {
        ++showEvents;
        if (OnShow)
            OnShow();
    }
    void closeEvent(QCloseEvent* event) override {
        if (closeRefusals > 0) {
            --closeRefusals;
            event->ignore();
        }
    }
};

// Ends a Run that did not end by itself, so a fault fails the case instead of hanging it.
class RunGuard {
public:
    explicit RunGuard(QObject* context) {
        QTimer::singleShot(10000, context, [this] {
            expired = true;
            QCoreApplication::exit(1);
        });
    }
    bool expired = false;
};

void Throw(const QString& kind, const QString& message) {
    if (kind == "Exception")
        throw Exception(message);
    if (kind == "EConvertError")
        throw EConvertError(message);
    throw std::runtime_error(message.toStdString());
}

}  // namespace

class TestApplication : public QObject {
    Q_OBJECT
private slots:
    void accessorFollowsTheApplicationObject();
    void knowsTitleAndExecutable();
    void substitutesTheDialogFace();
    void errorInEventHandlerIsShownAndLoopContinues_data();
    void errorInEventHandlerIsShownAndLoopContinues();
    void standardErrorBoxShowsTitleAndMessage();
    void terminateBeforeRunShowsNothing();
    void terminateInShowHandlerEndsRunAtOnce();
    void terminateDuringRunEndsLoop();
    void runEndsWhenMainFormCloses();
    void refusedCloseKeepsRunning();
    void runEndsWhenMainFormIsDeleted();
    void processMessagesHandlesPendingEvents();
};

void TestApplication::accessorFollowsTheApplicationObject() {
    QVERIFY(!Application());
    {
        TApplication app(argc, argv);
        QCOMPARE(Application(), &app);
    }
    QVERIFY(!Application());
}

void TestApplication::knowsTitleAndExecutable() {
    TApplication app(argc, argv);
    QVERIFY(app.Title().isEmpty());
    app.SetTitle("Skyglow II");
    QCOMPARE(app.Title(), QString("Skyglow II"));
    const QFileInfo exe(app.ExeName());
    QVERIFY(exe.isAbsolute());
    QVERIFY(exe.isExecutable());
    QCOMPARE(exe.completeBaseName(), QString("tst_application"));  // tst_application.exe on Windows
}

void TestApplication::substitutesTheDialogFace() {
    TApplication app(argc, argv);
    // The face actually picked, not just the table entry.
    QCOMPARE(QFontInfo(QFont("MS Sans Serif")).family(), QString("Liberation Sans"));
}

void TestApplication::errorInEventHandlerIsShownAndLoopContinues_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("fromKeyPress");  // else from a timer
    QTest::newRow("base class, timer") << "Exception" << false;
    QTest::newRow("conversion error, key press") << "EConvertError" << true;
    QTest::newRow("conversion error, timer") << "EConvertError" << false;
    QTest::newRow("std::runtime_error, key press") << "std::runtime_error" << true;
}

void TestApplication::errorInEventHandlerIsShownAndLoopContinues() {
    QFETCH(QString, kind);
    QFETCH(bool, fromKeyPress);
    TApplication app(argc, argv);
    app.SetTitle("Skyglow II");
    QList<ShownError> shown;
    app.SetErrorBox([&](const QString& caption, const QString& text) { shown.append({caption, text}); });
    const QString message = "'abc' is not a valid integer value";
    TestForm form;
    bool ranAfterError = false;
    form.OnKey = [&] { Throw(kind, message); };
    QTimer::singleShot(0, &form, [&] {
        if (fromKeyPress)
            QTest::keyClick(&form, Qt::Key_A);
        else
            QTimer::singleShot(0, &form, [&] { Throw(kind, message); });
        // Later events are still dispatched after the error.
        QTimer::singleShot(30, &form, [&] {
            ranAfterError = true;
            form.close();
        });
    });
    RunGuard guard(&app);
    app.Run(&form);
    QVERIFY(!guard.expired);
    QVERIFY(ranAfterError);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].caption, QString("Skyglow II"));
    QCOMPARE(shown[0].text, message);
}

void TestApplication::standardErrorBoxShowsTitleAndMessage() {
    TApplication app(argc, argv);
    app.SetTitle("Skyglow II");
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &app, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->accept();
        }
    });
    poll.start(10);
    QTimer::singleShot(10000, &app, [] { QApplication::activeModalWidget()->close(); });
    app.ShowException(EFOpenError("Cannot open file /nowhere/Skyglow.ini"));
    QCOMPARE(caption, QString("Skyglow II"));
    QCOMPARE(text, QString("Cannot open file /nowhere/Skyglow.ini"));
    QCOMPARE(icon, QMessageBox::Critical);
}

void TestApplication::terminateBeforeRunShowsNothing() {
    TApplication app(argc, argv);
    TestForm form;
    app.Terminate();
    RunGuard guard(&app);
    app.Run(&form);
    QVERIFY(!guard.expired);
    QVERIFY(app.Terminated());
    QCOMPARE(form.showEvents, 0);
    QVERIFY(!form.isVisible());
}

void TestApplication::terminateInShowHandlerEndsRunAtOnce() {
    TApplication app(argc, argv);
    TestForm form;
    form.OnShow = [&] { app.Terminate(); };
    RunGuard guard(&app);
    app.Run(&form);
    QVERIFY(!guard.expired);
    QVERIFY(app.Terminated());
}

void TestApplication::terminateDuringRunEndsLoop() {
    TApplication app(argc, argv);
    TestForm form;
    bool wasVisible = false;
    QTimer::singleShot(0, &form, [&] {
        wasVisible = form.isVisible();
        app.Terminate();
    });
    RunGuard guard(&app);
    app.Run(&form);
    QVERIFY(!guard.expired);
    QVERIFY(wasVisible);
    QVERIFY(app.Terminated());
}

void TestApplication::runEndsWhenMainFormCloses() {
    TApplication app(argc, argv);
    TestForm form;
    TestForm other;  // a second window left open does not keep the program alive
    QTimer::singleShot(0, &form, [&] {
        other.show();
        form.close();
    });
    RunGuard guard(&app);
    app.Run(&form);
    QVERIFY(!guard.expired);
    QVERIFY(app.Terminated());
    QVERIFY(!form.isVisible());
}

void TestApplication::refusedCloseKeepsRunning() {
    TApplication app(argc, argv);
    TestForm form;
    form.closeRefusals = 1;
    bool runningAfterRefusal = false;
    QTimer::singleShot(0, &form, [&] {
        form.close();
        QTimer::singleShot(30, &form, [&] {
            runningAfterRefusal = form.isVisible() && !app.Terminated();
            form.close();
        });
    });
    RunGuard guard(&app);
    app.Run(&form);
    QVERIFY(!guard.expired);
    QVERIFY(runningAfterRefusal);
    QVERIFY(app.Terminated());
}

void TestApplication::runEndsWhenMainFormIsDeleted() {
    TApplication app(argc, argv);
    QPointer<TestForm> form = new TestForm;
    QTimer::singleShot(0, &app, [&] { delete form; });
    RunGuard guard(&app);
    app.Run(form);
    QVERIFY(!guard.expired);
    QVERIFY(form.isNull());
    QVERIFY(app.Terminated());
    QCOMPARE(app.MainForm(), nullptr);
}

void TestApplication::processMessagesHandlesPendingEvents() {
    TApplication app(argc, argv);
    int handled = 0;
    for (int i = 0; i < 3; ++i)
        QMetaObject::invokeMethod(
            &app, [&] { ++handled; }, Qt::QueuedConnection);
    app.ProcessMessages();
    QCOMPARE(handled, 3);
}

QTEST_APPLESS_MAIN(TestApplication)
#include "tst_application.moc"
