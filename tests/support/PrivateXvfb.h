#pragma once
// An Xvfb of a test's own, for tests that need what tests/with-xvfb does not give: a server that
// resets when its last client leaves, or one that programs of another user may reach. Xvfb picks
// a free display number itself (-displayfd); the server ends with the object.
#include <QProcess>
#include <QString>
#include <QStringList>

class PrivateXvfb {
public:
    // `resets`: the server resets whenever its last client leaves, as X servers do by default.
    explicit PrivateXvfb(const QString& screen = "1024x768x24", bool resets = false) {
        QStringList arguments{"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"};
        if (!resets)
            arguments << "-noreset";
        FServer.start("Xvfb", arguments);
        if (!FServer.waitForStarted(10000))
            return;
        while (!FServer.canReadLine() && FServer.waitForReadyRead(10000)) {
        }
        const QByteArray number = FServer.readLine().trimmed();
        if (!number.isEmpty())
            FDisplay = ":" + QString::fromLatin1(number);
    }
    ~PrivateXvfb() {
        FServer.terminate();
        if (!FServer.waitForFinished(5000))
            FServer.kill();
        FServer.waitForFinished(5000);
    }
    PrivateXvfb(const PrivateXvfb&) = delete;
    PrivateXvfb& operator=(const PrivateXvfb&) = delete;

    // ":N", or empty when the server did not start.
    QString Display() const { return FDisplay; }

private:
    QProcess FServer;
    QString FDisplay;
};
