// The settings dialog: what it shows, what OK writes into the settings file beside the program,
// that every other way out writes nothing, its layout and keys, and the about box it opens.
#include "SettingsDialog.h"

#include "AboutBox.h"
#include <Tallwick/CustomPanel.h>
#include "DialogTestMain.h"
#include <Tallwick/SpeedButton.h>
#include <Tallwick/SpinEdit.h>
#include <Tallwick/Tcolorbutton.h>
#include "TcolorbuttonTesting.h"
#include <Tallwick/Vexutils.h>

#include <QApplication>
#include <QGuiApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryFile>
#include <QStyleOptionSlider>
#include <QToolButton>
#include <QtEndian>
#include "../support/PrivateMounts.h"
#include "../support/SettingsFileBytes.h"

#include <cstdio>
#include <unistd.h>

using namespace Tallwick;

namespace {
QString SettingsFile() { return ApplicationDirectory() + QStringLiteral("Skyglow.ini"); }

struct TSettings {
    TColor back, star, text1, text2;
    qint32 count, speed;
    quint8 logo;
};

QByteArray FileFor(const TSettings& s, const QByteArray& title = "Skyglow II") {
    QByteArray bytes;
    auto add32 = [&](qint32 v) {
        char raw[4];
        qToLittleEndian(v, raw);
        bytes.append(raw, 4);
    };
    add32(title.size());
    bytes.append(title);
    for (qint32 v : {s.back, s.star, s.text1, s.text2, s.count, s.speed})
        add32(v);
    bytes.append(char(s.logo));
    return bytes;
}

QByteArray ReadFile() {
    QFile file(SettingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QByteArray& bytes) {
    QFile file(SettingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

qint32 Field(const QByteArray& file, int offset) { return qFromLittleEndian<qint32>(file.constData() + offset); }

// Field offsets with the ten-character title.
constexpr int kBack = 14, kStar = 18, kText1 = 22, kText2 = 26, kCount = 30, kSpeed = 34, kLogo = 38;

bool ShowActive(TForm3& form) {
    form.show();
    form.activateWindow();  // no window manager does it under a bare X server
    return QTest::qWaitForWindowActive(&form);
}

void Retype(TSpinEdit* edit, const QString& keys) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, keys);
}

QPoint SliderHandleCentre(QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    option.subControls = QStyle::SC_SliderHandle;
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
}
// What `body` writes to stderr.
template <class Body>
QByteArray StderrOf(Body body) {
    QTemporaryFile file;
    if (!file.open())
        return "<no temporary file>";
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(file.handle(), STDERR_FILENO);
    body();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    file.seek(0);
    return file.readAll();
}
}  // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();
    void defaultsWithoutFile();
    void storedValuesShown();
    void okWritesDefaults_data();
    void okWritesDefaults();
    void starCountStored_data();
    void starCountStored();
    void okWritesEveryControl();
    void leavingWithoutOkWritesNothing_data();
    void leavingWithoutOkWritesNothing();
    void formLayout();
    void controlPlaces_data();
    void controlPlaces();
    void controlSettings();
    void tabOrder();
    void trackBarHandCursorWhileDragging();
    void freshAboutBoxEachTime();
    void noRememberedWindowOffX11();
    void unreadableFileFailsCreation();
    void unwritableFileKeepsDialogOpen();
    void saveFailureReasonInBoxAndOnStderr();
};

void TestSettingsDialog::init() {
    QFile::remove(SettingsFile());
    QDir().rmdir(SettingsFile());
}

void TestSettingsDialog::cleanupTestCase() { init(); }

void TestSettingsDialog::defaultsWithoutFile() {
    {
        TForm3 form;
        QCOMPARE(form.ColorButton1->Color(), TColor(0));
        QCOMPARE(form.ColorButton2->Color(), TColor(0xFFFFFF));
        QCOMPARE(form.ColorButton3->Color(), TColor(0xB4B4B4));
        QCOMPARE(form.ColorButton4->Color(), TColor(0xFF0000));
        QCOMPARE(form.SpinEdit1->Value(), 1000.0);
        QCOMPARE(form.SpinEdit1->text(), QStringLiteral("1000"));
        QCOMPARE(form.TrackBar1->value(), 50);
        QVERIFY(form.CheckBox1->isChecked());
        QVERIFY(ShowActive(form));
        QVERIFY(!QFile::exists(SettingsFile()));
        form.BitBtn2->click();
    }
    QVERIFY(!QFile::exists(SettingsFile()));
}

// Each colour button shows the setting its label names.
void TestSettingsDialog::storedValuesShown() {
    WriteFile(FileFor({RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12), 4321, 77, 0}));
    TForm3 form;
    QCOMPARE(form.ColorButton1->Color(), RGB(1, 2, 3));
    QCOMPARE(form.ColorButton2->Color(), RGB(4, 5, 6));
    QCOMPARE(form.ColorButton3->Color(), RGB(7, 8, 9));
    QCOMPARE(form.ColorButton4->Color(), RGB(10, 11, 12));
    QCOMPARE(form.SpinEdit1->Value(), 4321.0);
    QCOMPARE(form.TrackBar1->value(), 77);
    QVERIFY(!form.CheckBox1->isChecked());
}

void TestSettingsDialog::okWritesDefaults_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("OK clicked") << false;
    QTest::newRow("Enter pressed") << true;
}

void TestSettingsDialog::okWritesDefaults() {
    QFETCH(bool, byKey);
    TForm3 form;
    QVERIFY(ShowActive(form));
    if (byKey)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    else
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(ReadFile(), TestSettings::kDefaultFile);
}

void TestSettingsDialog::starCountStored_data() {
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("upPresses");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("clickOk");  // else Enter in the spin edit, which keeps the focus
    QTest::addColumn<qint32>("stored");
    QTest::newRow("10000 by the arrows") << 9998 << 3 << QString() << false << 9999;
    QTest::newRow("10000 by the arrows, clicked") << 9999 << 1 << QString() << true << 9999;
    QTest::newRow("typed 5") << 1000 << 0 << "5" << false << 10;
    QTest::newRow("typed 5, clicked") << 1000 << 0 << "5" << true << 10;
    QTest::newRow("typed 9") << 1000 << 0 << "9" << false << 10;
    QTest::newRow("typed 10") << 1000 << 0 << "10" << false << 10;
    QTest::newRow("typed 9999") << 1000 << 0 << "9999" << false << 9999;
    QTest::newRow("typed 12345 keeps four") << 1000 << 0 << "12345" << false << 1234;
    QTest::newRow("typed nothing") << 1000 << 0 << "" << false << 10;
    QTest::newRow("arrows below the minimum") << 11 << -5 << QString() << false << 10;
}

void TestSettingsDialog::starCountStored() {
    QFETCH(int, shown);
    QFETCH(int, upPresses);
    QFETCH(QString, typed);
    QFETCH(bool, clickOk);
    QFETCH(qint32, stored);
    TForm3 form;
    QVERIFY(ShowActive(form));
    form.SpinEdit1->SetValue(shown);
    form.SpinEdit1->setFocus();
    for (int i = 0; i < qAbs(upPresses); ++i)
        QTest::keyClick(form.SpinEdit1, upPresses > 0 ? Qt::Key_Up : Qt::Key_Down);
    if (!typed.isNull())  // "" types nothing over the selected text
        Retype(form.SpinEdit1, typed);
    if (clickOk)
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
    else
        QTest::keyClick(form.SpinEdit1, Qt::Key_Return);
    QVERIFY(!form.isVisible());
    const QByteArray file = ReadFile();
    QCOMPARE(file.size(), 39);
    QCOMPARE(Field(file, kCount), stored);
}

// The colours chosen, the track bar and the check box all reach the file, each in its field.
void TestSettingsDialog::okWritesEveryControl() {
    TForm3 form;
    QVERIFY(ShowActive(form));
    const TColor chosen[] = {RGB(200, 0, 1), RGB(2, 200, 3), RGB(4, 5, 200), RGB(6, 7, 8)};
    TColorButton* buttons[] = {form.ColorButton1, form.ColorButton2, form.ColorButton3, form.ColorButton4};
    for (int i = 0; i < 4; ++i) {
        const TColor colour = chosen[i];
        TColorButtonTesting::SetChooser(*buttons[i],
                                        [colour](TColorButton*, TColor) { return std::optional<TColor>(colour); });
        QTest::mouseClick(buttons[i]->Button(), Qt::LeftButton);
    }
    form.TrackBar1->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(form.TrackBar1, Qt::Key_Right);
    QTest::mouseClick(form.CheckBox1, Qt::LeftButton, {}, QPoint(5, 8));
    QVERIFY(!form.CheckBox1->isChecked());
    QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
    const QByteArray file = ReadFile();
    QCOMPARE(file.size(), 39);
    QCOMPARE(file.left(14), TestSettings::kDefaultFile.left(14));
    QCOMPARE(Field(file, kBack), chosen[0]);
    QCOMPARE(Field(file, kStar), chosen[1]);
    QCOMPARE(Field(file, kText1), chosen[2]);
    QCOMPARE(Field(file, kText2), chosen[3]);
    QCOMPARE(Field(file, kCount), 1000);
    QCOMPARE(Field(file, kSpeed), 53);
    QCOMPARE(int(file.at(kLogo)), 0);
}

void TestSettingsDialog::leavingWithoutOkWritesNothing_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("fileBefore");
    for (const char* way : {"Cancel", "Escape", "close box"}) {
        QTest::newRow(qPrintable(QString("%1, no file").arg(way))) << way << false;
        QTest::newRow(qPrintable(QString("%1, stored file").arg(way))) << way << true;
    }
}

// Everything edited, a colour chosen included, and then left without OK.
void TestSettingsDialog::leavingWithoutOkWritesNothing() {
    QFETCH(QString, way);
    QFETCH(bool, fileBefore);
    const QByteArray stored = FileFor({RGB(9, 9, 9), RGB(8, 8, 8), RGB(7, 7, 7), RGB(6, 6, 6), 500, 20, 1});
    if (fileBefore)
        WriteFile(stored);
    {
        TForm3 form;
        QVERIFY(ShowActive(form));
        TColorButtonTesting::SetChooser(*form.ColorButton1,
                                        [](TColorButton*, TColor) { return std::optional<TColor>(clRed); });
        QTest::mouseClick(form.ColorButton1->Button(), Qt::LeftButton);
        QCOMPARE(form.ColorButton1->Color(), clRed);
        Retype(form.SpinEdit1, "77");
        form.TrackBar1->setValue(3);
        form.CheckBox1->setChecked(false);
        if (way == "Cancel")
            QTest::mouseClick(form.BitBtn2, Qt::LeftButton);
        else if (way == "Escape")
            QTest::keyClick(form.SpinEdit1, Qt::Key_Escape);
        else
            QVERIFY(form.close());
        QVERIFY(!form.isVisible());
    }
    if (fileBefore)
        QCOMPARE(ReadFile(), stored);
    else
        QVERIFY(!QFile::exists(SettingsFile()));
}

void TestSettingsDialog::formLayout() {
    TForm3 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Settings"));
    QCOMPARE(form.size(), QSize(361, 273));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.font().pixelSize(), 13);
    QCOMPARE(QFontInfo(form.font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(form.Panel1->BevelInner(), bvLowered);
    QCOMPARE(form.Panel1->BevelOuter(), bvRaised);
    for (QWidget* inPanel :
         std::initializer_list<QWidget*>{form.StaticText1, form.StaticText2, form.StaticText3, form.StaticText4,
                                         form.StaticText5, form.ColorButton1, form.ColorButton2, form.ColorButton3,
                                         form.ColorButton4, form.SpinEdit1, form.TrackBar1, form.CheckBox1})
        QCOMPARE(inPanel->parentWidget(), form.Panel1);
    for (QWidget* onForm : {form.BitBtn1, form.BitBtn2, form.BitBtn3})
        QCOMPARE(onForm->parentWidget(), &form);
}

void TestSettingsDialog::controlPlaces_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("place");
    QTest::newRow("Panel1") << "Panel1" << QRect(8, 8, 345, 217);
    QTest::newRow("StaticText3") << "StaticText3" << QRect(16, 16, 115, 20);
    QTest::newRow("ColorButton1") << "ColorButton1" << QRect(144, 14, 89, 24);
    QTest::newRow("StaticText4") << "StaticText4" << QRect(16, 48, 115, 20);
    QTest::newRow("ColorButton2") << "ColorButton2" << QRect(144, 46, 89, 24);
    QTest::newRow("StaticText5") << "StaticText5" << QRect(16, 80, 115, 20);
    QTest::newRow("ColorButton3") << "ColorButton3" << QRect(144, 78, 89, 24);
    QTest::newRow("ColorButton4") << "ColorButton4" << QRect(240, 78, 89, 24);
    QTest::newRow("StaticText1") << "StaticText1" << QRect(16, 112, 115, 20);
    QTest::newRow("SpinEdit1") << "SpinEdit1" << QRect(144, 110, 89, 24);
    QTest::newRow("StaticText2") << "StaticText2" << QRect(16, 150, 115, 20);
    QTest::newRow("TrackBar1") << "TrackBar1" << QRect(136, 136, 201, 49);
    QTest::newRow("CheckBox1") << "CheckBox1" << QRect(16, 192, 169, 17);
    QTest::newRow("BitBtn1") << "BitBtn1" << QRect(8, 232, 89, 33);
    QTest::newRow("BitBtn2") << "BitBtn2" << QRect(104, 232, 89, 33);
    QTest::newRow("BitBtn3") << "BitBtn3" << QRect(248, 232, 107, 33);
}

void TestSettingsDialog::controlPlaces() {
    QFETCH(QString, control);
    QFETCH(QRect, place);
    TForm3 form;
    const QMap<QString, QWidget*> controls = {{"Panel1", form.Panel1},
                                              {"StaticText1", form.StaticText1},
                                              {"StaticText2", form.StaticText2},
                                              {"StaticText3", form.StaticText3},
                                              {"StaticText4", form.StaticText4},
                                              {"StaticText5", form.StaticText5},
                                              {"ColorButton1", form.ColorButton1},
                                              {"ColorButton2", form.ColorButton2},
                                              {"ColorButton3", form.ColorButton3},
                                              {"ColorButton4", form.ColorButton4},
                                              {"SpinEdit1", form.SpinEdit1},
                                              {"TrackBar1", form.TrackBar1},
                                              {"CheckBox1", form.CheckBox1},
                                              {"BitBtn1", form.BitBtn1},
                                              {"BitBtn2", form.BitBtn2},
                                              {"BitBtn3", form.BitBtn3}};
    QCOMPARE(controls.value(control)->geometry(), place);
}

void TestSettingsDialog::controlSettings() {
    TForm3 form;
    const QList<QPair<QLabel*, QString>> texts = {{form.StaticText1, "Number of stars:"},
                                                  {form.StaticText2, "Speep:"},
                                                  {form.StaticText3, "Background color:"},
                                                  {form.StaticText4, "Stars color:"},
                                                  {form.StaticText5, "Text colors:"}};
    for (const auto& [label, caption] : texts) {
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->frameShape(), QFrame::Panel);
        QCOMPARE(label->frameShadow(), QFrame::Sunken);
    }
    QCOMPARE(form.SpinEdit1->MinValue(), 10.0);
    QCOMPARE(form.SpinEdit1->MaxValue(), 10000.0);
    QCOMPARE(form.SpinEdit1->MaxLength(), 4);
    QCOMPARE(form.SpinEdit1->Alignment(), taRightJustify);
    QCOMPARE(form.TrackBar1->orientation(), Qt::Horizontal);
    QCOMPARE(form.TrackBar1->minimum(), 0);
    QCOMPARE(form.TrackBar1->maximum(), 100);
    QCOMPARE(form.TrackBar1->tickInterval(), 10);
    QCOMPARE(form.TrackBar1->tickPosition(), QSlider::TicksBothSides);
    QCOMPARE(form.CheckBox1->text(), QStringLiteral("Display Batman logo"));
    QCOMPARE(form.BitBtn1->text(), QStringLiteral("OK"));
    QCOMPARE(form.BitBtn2->text(), QStringLiteral("Cancel"));
    QCOMPARE(form.BitBtn3->text(), QStringLiteral("About..."));
    QVERIFY(form.BitBtn1->isDefault());
    for (QPushButton* button : {form.BitBtn1, form.BitBtn2, form.BitBtn3})
        QVERIFY(!button->icon().isNull());
    // The bulb: a yellow normal image and a grey disabled one.
    const QImage normal = form.BitBtn3->icon().pixmap(16, 16).toImage();
    const QImage disabled = form.BitBtn3->icon().pixmap(QSize(16, 16), QIcon::Disabled).toImage();
    QVERIFY(normal != disabled);
    QCOMPARE(qAlpha(normal.pixel(0, 15)), 0);
}

void TestSettingsDialog::tabOrder() {
    TForm3 form;
    QVERIFY(ShowActive(form));
    QCOMPARE(QApplication::focusWidget(), form.SpinEdit1);
    const QList<QWidget*> expected = {form.TrackBar1, form.CheckBox1, form.BitBtn1,
                                      form.BitBtn2,   form.BitBtn3,   form.SpinEdit1};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    for (TColorButton* button : {form.ColorButton1, form.ColorButton2, form.ColorButton3, form.ColorButton4})
        QCOMPARE(button->Button()->focusPolicy(), Qt::NoFocus);
}

void TestSettingsDialog::trackBarHandCursorWhileDragging() {
    TForm3 form;
    QVERIFY(ShowActive(form));
    QVERIFY(form.TrackBar1->cursor().shape() != Qt::PointingHandCursor);
    const QPoint handle = SliderHandleCentre(form.TrackBar1);
    QTest::mousePress(form.TrackBar1, Qt::LeftButton, {}, handle);
    QVERIFY(form.TrackBar1->isSliderDown());
    QCOMPARE(form.TrackBar1->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseRelease(form.TrackBar1, Qt::LeftButton, {}, handle);
    QVERIFY(form.TrackBar1->cursor().shape() != Qt::PointingHandCursor);
}

// Each click builds a new about box in English, which is gone once its modal loop returns.
void TestSettingsDialog::freshAboutBoxEachTime() {
    TForm3 form;
    QVERIFY(ShowActive(form));
    QList<QPointer<TAboutF>> opened;
    QStringList captions;
    auto handle = [&](bool switchToSpanish) {
        QTimer::singleShot(0, [&, switchToSpanish] {
            auto* about = qobject_cast<TAboutF*>(QApplication::activeModalWidget());
            QVERIFY(about);
            opened.append(about);
            QTRY_VERIFY(!about->windowTitle().isEmpty());
            captions.append(about->windowTitle());
            QVERIFY(about->SpeedButton1->Down());
            if (switchToSpanish) {
                QTest::mouseClick(about->SpeedButton3, Qt::LeftButton);
                QCOMPARE(about->windowTitle(), QStringLiteral("Acerca de Skyglow II"));
            }
            QTest::mouseClick(about->BitBtn1, Qt::LeftButton);
        });
    };
    handle(true);
    QTest::mouseClick(form.BitBtn3, Qt::LeftButton);
    QCOMPARE(opened.size(), 1);
    QVERIFY(opened[0].isNull());
    handle(false);
    QTest::mouseClick(form.BitBtn3, Qt::LeftButton);
    QCOMPARE(opened.size(), 2);
    QVERIFY(opened[1].isNull());
    QCOMPARE(captions, QStringList({"About Skyglow II", "About Skyglow II"}));
    QVERIFY(form.isVisible());
    QVERIFY(!QFile::exists(SettingsFile()));
}

// Without an X server there is no other window to remember, and nothing may be touched.
void TestSettingsDialog::noRememberedWindowOffX11() {
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        QSKIP("on X11 the active window is remembered (tst_settingsdialog_x11)");
    TForm3 form;
    QCOMPARE(form.RememberedWindow(), 0ul);
}

// A settings "file" that is a directory exists but cannot be opened.
void TestSettingsDialog::unreadableFileFailsCreation() {
    QVERIFY(QDir().mkdir(SettingsFile()));
    try {
        TForm3 form;
        QFAIL("the dialog was created");
    } catch (const EFOpenError& error) {
        QCOMPARE(error.Message, QStringLiteral("Cannot open file ") + SettingsFile());
    }
}

// Saving fails: the error goes to the caller and the dialog stays open for another try.
void TestSettingsDialog::unwritableFileKeepsDialogOpen() {
    TForm3 form;
    QVERIFY(ShowActive(form));
    QVERIFY(QDir().mkdir(SettingsFile()));
    QVERIFY_THROWS_EXCEPTION(EFCreateError, form.BitBtn1Click(form.BitBtn1));
    QVERIFY(form.isVisible());
    QVERIFY(QDir().rmdir(SettingsFile()));
    form.BitBtn1Click(form.BitBtn1);
    QVERIFY(!form.isVisible());
    QCOMPARE(ReadFile(), TestSettings::kDefaultFile);
}

// OK with the settings file's folder on a full disk (an 8 KB tmpfs over it, seen by this test
// alone): the box says why, and so does stderr, where the reason stays once the box is gone.
void TestSettingsDialog::saveFailureReasonInBoxAndOnStderr() {
    const QString folder = ApplicationDirectory();
    if (const QString why = PrivateMounts::SmallTmpfs(folder, 8192); !why.isEmpty())
        QSKIP(qPrintable(why));
    const QByteArray old = FileFor({1, 2, 3, 4, 500, 60, 0});
    WriteFile(old);
    QFile filler(folder + QStringLiteral("filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    QCOMPARE(filler.write(QByteArray(4096, 'x')), 4096);
    filler.close();
    TForm3 form;
    QVERIFY(ShowActive(form));
    QStringList boxes;
    Application()->SetErrorBox([&](const QString&, const QString& text) { boxes << text; });
    const QByteArray printed = StderrOf([&] { QTest::mouseClick(form.BitBtn1, Qt::LeftButton); });
    Application()->SetErrorBox([](const QString&, const QString& text) { qFatal("error box: %s", qPrintable(text)); });
    const QByteArray kept = ReadFile();
    PrivateMounts::Unmount(folder);
    const QString message = QStringLiteral("Cannot create file %1: No space left on device").arg(SettingsFile());
    QCOMPARE(boxes, QStringList{message});
    QCOMPARE(QString::fromLocal8Bit(printed), QStringLiteral("tst_settingsdialog: %1\n").arg(message));
    QVERIFY(form.isVisible());
    QCOMPARE(kept, old);
}

SKYGLOW_DIALOG_TEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
