// Turning Qt's abort at connection into the program's own one-line ending.
#include "ConnectGuard.h"

#include <QList>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace Tallwick {

namespace {
constexpr int kNoDisplay = 1;

// Where a message came from: file, function and category point at static strings.
struct THeldMessage {
    QtMsgType Type;
    const char* File;
    int Line;
    const char* Function;
    const char* Category;
    QString Text;
};

QString gProgram;
QtMessageHandler gPrevious = nullptr;
QList<THeldMessage> gHeld;

// The held warnings say why ("could not connect to display :0"); Qt's fatal message itself only
// that no platform could start, and how to reinstall.
[[noreturn]] void EndWithoutDisplay(const QString& fatal) {
    QStringList reasons;
    for (const THeldMessage& message : std::as_const(gHeld))
        reasons << message.Text.simplified().left(200);
    if (reasons.isEmpty())
        reasons << fatal.simplified().left(200);
    std::fprintf(stderr, "%s: no display could be opened (%s)\n", qPrintable(gProgram),
                 reasons.join(QStringLiteral("; ")).toLocal8Bit().constData());
    std::fflush(nullptr);
    std::_Exit(kNoDisplay);
}

void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg)
        EndWithoutDisplay(text);
    if (gHeld.size() < 100)
        gHeld.append({type, context.file, context.line, context.function, context.category, text});
}
}  // namespace

TConnectGuard::TConnectGuard(const QString& program) {
    gProgram = program;
    gHeld.clear();
    gPrevious = qInstallMessageHandler(Handle);
}

TConnectGuard::~TConnectGuard() {
    qInstallMessageHandler(gPrevious);
    const QList<THeldMessage> held = std::exchange(gHeld, {});
    for (const THeldMessage& m : held)
        qt_message_output(m.Type, QMessageLogContext(m.File, m.Line, m.Function, m.Category), m.Text);
}

}  // namespace Tallwick
