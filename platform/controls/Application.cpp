// The program's application object: title, main form, message loop, terminate request and the error
// box.
#include "Application.h"

#include "FontSubstitutions.h"

#include <QEvent>
#include <QMessageBox>
#include <QThread>
#include <QWidget>

namespace Tallwick {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    InstallFontSubstitutions();
    // Only the main form ends the program; closing the last of several windows does not.
    setQuitOnLastWindowClosed(false);
}

TApplication::~TApplication() = default;

QString TApplication::Title() const { return FTitle; }

void TApplication::SetTitle(const QString& title) { FTitle = title; }

QString TApplication::ExeName() const { return applicationFilePath(); }

void TApplication::Terminate() {
    FTerminated = true;
    // exit(), not quit(): quit() first asks every window to close and may be refused. With no loop
    // running there is nothing to end (Run looks at the flag), and exit() would make every modal
    // box shown before Run, such as one saying why the program ends, return at once.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

bool TApplication::Terminated() const { return FTerminated; }

void TApplication::ProcessMessages() { processEvents(QEventLoop::AllEvents); }

void TApplication::Run(QWidget* mainForm) {
    if (FTerminated)
        return;
    WatchMainForm(mainForm);
    if (mainForm)
        mainForm->show();
    // A show handler may already have asked to terminate; exit() had no loop to end then.
    if (!FTerminated) {
        FRunning = true;
        exec();
        FRunning = false;
    }
    WatchMainForm(nullptr);
}

QWidget* TApplication::MainForm() const { return FMainForm; }

void TApplication::WatchMainForm(QWidget* form) {
    if (FMainForm) {
        FMainForm->removeEventFilter(this);
        disconnect(FMainForm, &QObject::destroyed, this, nullptr);
    }
    FMainForm = form;
    if (!form)
        return;
    form->installEventFilter(this);
    connect(form, &QObject::destroyed, this, [this] {
        if (FRunning)
            Terminate();
    });
}

bool TApplication::eventFilter(QObject* watched, QEvent* event) {
    // The close event reaches the filter before the form decides whether to accept it, so the
    // outcome is looked at once the close has been handled.
    if (watched == FMainForm && event->type() == QEvent::Close)
        QMetaObject::invokeMethod(this, &TApplication::CheckMainFormClosed, Qt::QueuedConnection);
    return QApplication::eventFilter(watched, event);
}

void TApplication::CheckMainFormClosed() {
    if (FRunning && (!FMainForm || !FMainForm->isVisible()))
        Terminate();
}

void TApplication::ShowException(const Exception& error) { ShowError(error.Message); }

void TApplication::ShowException(const std::exception& error) {
    if (const auto* own = dynamic_cast<const Exception*>(&error))
        ShowError(own->Message);
    else
        ShowError(QString::fromUtf8(error.what()));
}

void TApplication::SetErrorBox(ErrorBox box) { FErrorBox = std::move(box); }

void TApplication::ShowError(const QString& text) {
    if (FErrorBox)
        FErrorBox(FTitle, text);
    else
        QMessageBox::critical(activeWindow(), FTitle, text);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(error);
    }
    return false;
}

TApplication* Application() { return qobject_cast<TApplication*>(QCoreApplication::instance()); }

}  // namespace Tallwick
