#pragma once
/// \class Tallwick::TApplication
/// The program's application object: title, main form, message loop, terminate request and the
/// standard error box. Errors raised in any event handler are caught where the loop dispatches the
/// event (notify) and shown in the error box; the loop then carries on.
/// Qt's own frames between notify and the handler are built without exception cleanups, so an error
/// that unwinds through them can leave a little of Qt's bookkeeping behind (a few bytes per error,
/// seen with key events). Errors are rare and shown to the user, so that is accepted.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Exception.h>

#include <QApplication>
#include <QPointer>
#include <QString>
#include <exception>
#include <functional>
#include <memory>

class QWidget;

namespace Tallwick {

class TALLWICK_EXPORT TApplication : public QApplication {
    Q_OBJECT
public:
    /// Shows one error: caption and text of the standard error box.
    using ErrorBox = std::function<void(const QString& caption, const QString& text)>;

    /// argc must outlive the application, as for QApplication. Installs the font substitutions.
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    QString Title() const;
    void SetTitle(const QString& title);

    /// Full path of the running executable.
    QString ExeName() const;

    /// Asks the message loop to end: a running loop (and any modal loop inside it) is left as soon
    /// as the current handler returns; a later Run returns at once without showing anything.
    void Terminate();
    bool Terminated() const;

    /// Handles every pending event, then returns.
    void ProcessMessages();

    /// Shows mainForm (when given) and processes messages until the main form is closed or
    /// destroyed, or Terminate is called. Closing the main form terminates the application.
    void Run(QWidget* mainForm);
    QWidget* MainForm() const;

    /// The standard error box: a critical message box captioned with the title, holding the
    /// message. A std::exception that is no Exception shows its what() text.
    void ShowException(const Exception& error);
    void ShowException(const std::exception& error);

    /// Replaces the modal box with another way of showing (tests capture the texts); an empty
    /// function restores the message box.
    void SetErrorBox(ErrorBox box);

    bool notify(QObject* receiver, QEvent* event) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowError(const QString& text);
    void WatchMainForm(QWidget* form);
    void CheckMainFormClosed();

    class Private;
    std::unique_ptr<Private> d;
};

/// The application object of the process, or nullptr when there is none (or it is no TApplication).
TALLWICK_EXPORT TApplication* Application();

}  // namespace Tallwick
