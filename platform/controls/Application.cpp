// The program's application object: title, main form, message loop, terminate request and the error
// box.
#include "Application.h"

#include "FontSubstitutions.h"

#include <QEvent>
#include <QMessageBox>
#include <QThread>
#include <QWidget>

namespace Tallwick {

class TApplication::Private {
public:
    QString FTitle;
    ErrorBox FErrorBox;
    QPointer<QWidget> FMainForm;
    bool FTerminated = false;
    bool FRunning = false;
};

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv), d(std::make_unique<Private>()) {
    InstallFontSubstitutions();
    // Only the main form ends the program; closing the last of several windows does not.
    setQuitOnLastWindowClosed(false);
}

TApplication::~TApplication() = default;

QString TApplication::Title() const { return d->FTitle; }

void TApplication::SetTitle(const QString& title) { d->FTitle = title; }

QString TApplication::ExeName() const { return applicationFilePath(); }

void TApplication::Terminate() {
    d->FTerminated = true;
    // exit(), not quit(): quit() first asks every window to close and may be refused. With no loop
    // running there is nothing to end (Run looks at the flag), and exit() would make every modal
    // box shown before Run, such as one saying why the program ends, return at once.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

bool TApplication::Terminated() const { return d->FTerminated; }

void TApplication::ProcessMessages() { processEvents(QEventLoop::AllEvents); }

void TApplication::Run(QWidget* mainForm) {
    if (d->FTerminated)
        return;
    WatchMainForm(mainForm);
    if (mainForm)
        mainForm->show();
    // A show handler may already have asked to terminate; exit() had no loop to end then.
    if (!d->FTerminated) {
        d->FRunning = true;
        exec();
        d->FRunning = false;
    }
    WatchMainForm(nullptr);
}

QWidget* TApplication::MainForm() const { return d->FMainForm; }

void TApplication::WatchMainForm(QWidget* form) {
    if (d->FMainForm) {
        d->FMainForm->removeEventFilter(this);
        disconnect(d->FMainForm, &QObject::destroyed, this, nullptr);
    }
    d->FMainForm = form;
    if (!form)
        return;
    form->installEventFilter(this);
    connect(form, &QObject::destroyed, this, [this] {
        if (d->FRunning)
            Terminate();
    });
}

bool TApplication::eventFilter(QObject* watched, QEvent* event) {
    // The close event reaches the filter before the form decides whether to accept it, so the
    // outcome is looked at once the close has been handled.
    if (watched == d->FMainForm && event->type() == QEvent::Close)
        QMetaObject::invokeMethod(this, &TApplication::CheckMainFormClosed, Qt::QueuedConnection);
    return QApplication::eventFilter(watched, event);
}

void TApplication::CheckMainFormClosed() {
    if (d->FRunning && (!d->FMainForm || !d->FMainForm->isVisible()))
        Terminate();
}

void TApplication::ShowException(const Exception& error) { ShowError(error.Message); }

void TApplication::ShowException(const std::exception& error) {
    if (const auto* own = dynamic_cast<const Exception*>(&error))
        ShowError(own->Message);
    else
        ShowError(QString::fromUtf8(error.what()));
}

void TApplication::SetErrorBox(ErrorBox box) { d->FErrorBox = std::move(box); }

void TApplication::ShowError(const QString& text) {
    if (d->FErrorBox)
        d->FErrorBox(d->FTitle, text);
    else
        QMessageBox::critical(activeWindow(), d->FTitle, text);
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
