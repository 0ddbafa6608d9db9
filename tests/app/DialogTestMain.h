#pragma once
// main() for the dialog tests: the program's application object titled as the saver's, and any
// error that reaches the event loop ends the test run loudly instead of opening a message box.
#include <Tallwick/Application.h>

#include <QtTest>

using namespace Tallwick;

#define SKYGLOW_DIALOG_TEST_MAIN(TestClass)                                                                      \
    int main(int argc, char** argv) {                                                                            \
        TApplication app(argc, argv);                                                                            \
        app.SetTitle(QStringLiteral("Skyglow II"));                                                              \
        app.SetErrorBox([](const QString&, const QString& text) { qFatal("error box: %s", qPrintable(text)); }); \
        TestClass test;                                                                                          \
        QTEST_SET_MAIN_SOURCE_PATH                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                  \
    }
