// TForm3, the settings dialog: edits the seven saver settings and writes them on OK.
#include "SettingsDialog.h"

#include <Tallwick/EventGuard.h>

#include "AboutBox.h"
#include <Tallwick/CustomPanel.h>
#include <Tallwick/Exception.h>
#include <Tallwick/FontSubstitutions.h>
#include <Tallwick/Glyph.h>
#include <Tallwick/IntConversion.h>
#include "Pictures.h"
#include "SettingsReport.h"
#include <Tallwick/SpinEdit.h>
#include <Tallwick/Tcolorbutton.h>
#include "Tstars.h"
#include <Tallwick/Vexutils.h>
#include "HostChoice.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <algorithm>
#include <climits>
#include <cmath>

namespace Tallwick {

namespace {
QLabel* NewStaticText(QWidget* parent, const QString& caption, int top) {
    auto* label = new QLabel(caption, parent);
    label->setGeometry(16, top, 115, 20);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(1);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

TColorButton* NewColorButton(QWidget* parent, int left, int top) {
    auto* button = new TColorButton(parent);
    button->SetBounds(left, top, 89, 24);
    return button;
}
}  // namespace

TForm3::TForm3(QWidget* owner, unsigned long ownerWindow) : QDialog(owner), FOwnerWindow(ownerWindow) {
    CreateControls();
    FormCreate(this);
}

TForm3::~TForm3() { FormDestroy(this); }

void TForm3::CreateControls() {
    InstallFontSubstitutions();
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    setFont(font);
    setWindowTitle(tr("Settings"));
    setFixedSize(361, 273);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    Panel1 = new TCustomPanel(this);
    Panel1->SetBounds(8, 8, 345, 217);
    Panel1->SetBevelInner(bvLowered);
    Panel1->SetBevelOuter(bvRaised);
    CreateStaticTexts();
    CreateColorButtons();

    SpinEdit1 = new TSpinEdit(Panel1);
    SpinEdit1->setGeometry(144, 110, 89, 24);
    SpinEdit1->SetAlignment(taRightJustify);
    SpinEdit1->SetMinValue(10);
    SpinEdit1->SetMaxValue(10000);
    SpinEdit1->SetMaxLength(4);

    TrackBar1 = new QSlider(Qt::Horizontal, Panel1);
    TrackBar1->setGeometry(136, 136, 201, 49);
    TrackBar1->setRange(0, 100);
    TrackBar1->setTickInterval(10);
    TrackBar1->setTickPosition(QSlider::TicksBothSides);
    TrackBar1->setValue(50);
    connect(TrackBar1, &QSlider::sliderPressed, this, [this] { TrackBar1->setCursor(Qt::PointingHandCursor); });
    connect(TrackBar1, &QSlider::sliderReleased, this, [this] { TrackBar1->unsetCursor(); });

    CheckBox1 = new QCheckBox(tr("Display Batman logo"), Panel1);
    CheckBox1->setGeometry(16, 192, 169, 17);

    CreateButtons();
    SetTabOrder();
}

void TForm3::CreateStaticTexts() {
    StaticText3 = NewStaticText(Panel1, tr("Background color:"), 16);
    StaticText4 = NewStaticText(Panel1, tr("Stars color:"), 48);
    StaticText5 = NewStaticText(Panel1, tr("Text colors:"), 80);
    StaticText1 = NewStaticText(Panel1, tr("Number of stars:"), 112);
    StaticText2 = NewStaticText(Panel1, tr("Speep:"), 150);
}

void TForm3::CreateColorButtons() {
    ColorButton1 = NewColorButton(Panel1, 144, 14);
    ColorButton2 = NewColorButton(Panel1, 144, 46);
    ColorButton3 = NewColorButton(Panel1, 144, 78);
    ColorButton4 = NewColorButton(Panel1, 240, 78);
}

void TForm3::CreateButtons() {
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this);
    BitBtn1->setGeometry(8, 232, 89, 33);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { GuardEvent(this, [this] { BitBtn1Click(BitBtn1); }); });

    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Cancel"), this);
    BitBtn2->setGeometry(104, 232, 89, 33);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { GuardEvent(this, [this] { BitBtn2Click(BitBtn2); }); });

    InitPictures();
    BitBtn3 = new QPushButton(LoadGlyph(QStringLiteral(":/bulb.bmp"), 2), tr("About..."), this);
    BitBtn3->setGeometry(248, 232, 107, 33);
    connect(BitBtn3, &QPushButton::clicked, this, [this] { GuardEvent(this, [this] { BitBtn3Click(BitBtn3); }); });
}

// The panel's controls first, then the three buttons. Static texts and the colour buttons' faces
// take no focus, so the keys move through the spin edit, track bar, check box and buttons.
void TForm3::SetTabOrder() {
    const QList<QWidget*> order = {SpinEdit1, ColorButton1, ColorButton2, ColorButton3, ColorButton4,
                                   TrackBar1, CheckBox1,    BitBtn1,      BitBtn2,      BitBtn3};
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    SpinEdit1->setFocus();
}

// The window given on the command line, when the host can make it the owner, is the one taken
// and given back; else the foreground window.
void TForm3::FormCreate(QObject*) {
    const THost& host = CurrentHost();
    const bool owned = FOwnerWindow && host.SetOwner(this, FOwnerWindow);
    FRememberedWindow = owned ? FOwnerWindow : host.ActiveWindow();
    if (FRememberedWindow)
        CurrentHost().EnableWindow(FRememberedWindow, false);
    FStars = std::make_unique<TStars>();
    try {
        FStars->LoadSettings();
        ReportSettingsProblem(*FStars, true);
    } catch (...) {
        // The dialog will not exist, so its destroy handler would never give the window back.
        FormDestroy(this);
        throw;
    }
    ColorButton1->SetColor(FStars->BackColor);
    ColorButton2->SetColor(FStars->StarColor);
    ColorButton3->SetColor(FStars->TextColor1);
    ColorButton4->SetColor(FStars->TextColor2);
    SpinEdit1->SetValue(FStars->StarCount);
    TrackBar1->setValue(FStars->Speed);
    CheckBox1->setChecked(FStars->ShowLogo != 0);
}

// The dialog stands without a taskbar entry, as the original's hidden owner window gave it.
void TForm3::FormShow(QObject*) { CurrentHost().HideFromTaskbar(this); }

void TForm3::BitBtn1Click(QObject*) {
    FStars->BackColor = ColorButton1->Color();
    FStars->StarColor = ColorButton2->Color();
    FStars->TextColor1 = ColorButton3->Color();
    FStars->TextColor2 = ColorButton4->Color();
    FStars->StarCount = Clamp(TruncToInt(SpinEdit1->Value()), 10, 9999);
    FStars->Speed = TrackBar1->value();
    FStars->ShowLogo = CheckBox1->isChecked() ? 1 : 0;
    try {
        FStars->SaveSettings();
    } catch (const Exception& error) {
        ReportSaveFailure(error.Message);
        throw;  // on to the standard error box; the dialog stays open for another try
    }
    BitBtn2->click();
}

void TForm3::BitBtn2Click(QObject*) { close(); }

// A new about box at every click, gone again when its modal loop ends.
void TForm3::BitBtn3Click(QObject*) {
    TAboutF about;
    about.exec();
}

void TForm3::FormDestroy(QObject*) {
    FStars.reset();
    if (FRememberedWindow) {
        CurrentHost().EnableWindow(FRememberedWindow, true);
        CurrentHost().Activate(FRememberedWindow);
    }
}

void TForm3::reject() { BitBtn2->click(); }

// The show handler runs before the window is mapped: a window manager takes the taskbar hints
// from the window as it maps it, and ignores requests about a window it has not mapped yet (at
// the show event the window is visible to Qt but not yet mapped).
void TForm3::setVisible(bool visible) {
    if (visible && !isVisible())
        FormShow(this);
    QDialog::setVisible(visible);
}

// Closing by any way just hides the form (ending the program when it is the main form); a
// dialog's own close handling would turn the close box into a rejection.
void TForm3::closeEvent(QCloseEvent* event) { event->accept(); }

}  // namespace Tallwick
