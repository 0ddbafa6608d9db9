#pragma once
// An Xvfb of a test's own, for a test whose own program needs no display but whose tools do
// (an X screen saver daemon run as another user, say). Xvfb picks a free display number itself
// (-displayfd); the server ends with the object.
#include <QProcess>
#include <QString>
#include <QStringList>

class PrivateXvfb {
public:
    explicit PrivateXvfb(const QString& screen = "1024x768x24") {
        FServer.start("Xvfb", {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"});
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
