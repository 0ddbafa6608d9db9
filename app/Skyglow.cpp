// The screen saver's entry: the first argument chooses the one main window ("/s" saver, "/p <id>"
// preview, an argument containing "/c" settings); anything else ends the program at once.
#include "Application.h"
#include "ModeDispatch.h"
#include "Skyglowu1.h"
#include "Skyglowu2.h"
#include "Skyglowu3.h"

#include <memory>

using namespace Tallwick;

namespace {
const char* const kTitle = "Skyglow II";

QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

std::unique_ptr<QWidget> CreateMainForm(TMode mode, const QStringList& arguments) {
    switch (mode) {
    case mdSaver: return std::make_unique<TForm1>();
    case mdPreview: return std::make_unique<TForm2>(arguments.value(1));
    case mdSettings: return std::make_unique<TForm3>();
    default: return nullptr;
    }
}
}  // namespace

int main(int argc, char** argv) {
    const QStringList arguments = Arguments(argc, argv);  // before Qt takes any of them
    const TMode mode = ParseMode(arguments);
    TApplication application(argc, argv);
    try {
        application.SetTitle(QString::fromLatin1(kTitle));
        std::unique_ptr<QWidget> mainForm = CreateMainForm(mode, arguments);
        if (mode == mdNone)
            application.Terminate();
        application.Run(mainForm.get());
    } catch (const Exception& error) {
        application.ShowException(error);
    } catch (const std::exception& error) {
        application.ShowException(error);
    }
    return 0;
}
