// TAboutF, the about box: the title and the author's card typed in on a grey plate, in three
// languages.
#include "AboutBox.h"

#include <Tallwick/Application.h>
#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/CustomPanel.h>
#include <Tallwick/FontSubstitutions.h>
#include <Tallwick/GdiCalls.h>
#include <Tallwick/Glyph.h>
#include <Tallwick/ImageControl.h>
#include "Pictures.h"
#include <Tallwick/SpeedButton.h>
#include <Tallwick/Vexutils.h>

#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>

namespace Tallwick {

namespace {
constexpr TColor kPlateColor = 0xC8C8C8;
constexpr TColor kShadowColor = 0xDCDCDC;
const char* const kTelephoneLine = "Tlf. : 000 000 000";
const char* const kEmailLine = "E-Mail : author@example.org";

// Plate layout: the title at the top, then a base line and a line step for the card.
constexpr int kLeft = 15;
constexpr int kTitleTop = 14;
constexpr int kBase = 78;
constexpr int kStep = 20;

// The hourglass for as long as the animation runs, also when drawing fails half-way.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

QString ApplicationTitleNow() {
    const TApplication* app = Application();
    return app ? app->Title() : QString();
}
}  // namespace

TAboutF::TAboutF(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      FTitle(ApplicationTitleNow()) {
    CreateControls();
    FormCreate(this);
}

TAboutF::~TAboutF() = default;

void TAboutF::CreateControls() {
    InstallFontSubstitutions();
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(353, 265);

    FFlags = new QButtonGroup(this);
    FFlags->setExclusive(true);
    InitPictures();
    const char* const flags[] = {":/flag-uk.bmp", ":/flag-galicia.bmp", ":/flag-spain.bmp"};
    TSpeedButton** buttons[] = {&SpeedButton1, &SpeedButton2, &SpeedButton3};
    for (int i = 0; i < 3; ++i) {
        auto* button = new TSpeedButton(this);
        button->setGeometry(8 + 34 * i, 232, 34, 26);
        button->setCursor(Qt::PointingHandCursor);
        button->SetGlyph(LoadGlyph(QString::fromLatin1(flags[i])));
        button->SetMargin(2);
        FFlags->addButton(button, i + 1);
        connect(button, &QToolButton::clicked, this, [this, button] { SpeedButton1Click(button); });
        *buttons[i] = button;
    }

    Panel1 = new TCustomPanel(this);
    Panel1->SetBounds(8, 8, 337, 217);
    Panel1->SetBevelOuter(bvLowered);
    Panel1->SetBevelInner(bvNone);
    TImage** images[] = {&Image1, &Image2, &Image3};
    for (TImage** image : images) {
        *image = new TImage(Panel1);
        (*image)->SetBounds(1, 1, 335, 215);
    }
    Image1->SetVisible(false);
    Image2->SetVisible(false);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    BitBtn1->setGeometry(256, 232, 89, 26);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutF::FormCreate(QObject*) { SpeedButton1->SetDown(true); }

int TAboutF::DownLanguage() const {
    if (SpeedButton1->Down())
        return 1;
    if (SpeedButton2->Down())
        return 2;
    if (SpeedButton3->Down())
        return 3;
    return 0;
}

// Only the first paint starts the animation; later paints show the finished plate. The animation
// itself forces repaints, so it runs just after this paint rather than inside it.
void TAboutF::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (FPainted)
        return;
    FPainted = true;
    QMetaObject::invokeMethod(
        this, [this] { RunAnimation(DownLanguage()); }, Qt::QueuedConnection);
}

void TAboutF::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAboutF::SpeedButton1Click(QObject* Sender) {
    if (Sender == SpeedButton1)
        RunAnimation(1);
    else if (Sender == SpeedButton2)
        RunAnimation(2);
    else if (Sender == SpeedButton3)
        RunAnimation(3);
}

void TAboutF::SetTexts(const QString& captionPrefix, const QString& author, const QString& profession) {
    setWindowTitle(captionPrefix + FTitle);
    FAuthor = author;
    FProfession = profession;
}

void TAboutF::SetTextsEnglish() {
    SetTexts(QStringLiteral("About "), QStringLiteral("Author : Pelmont"), QStringLiteral("Software developer"));
}

void TAboutF::SetTextsGalician() {
    SetTexts(QStringLiteral("Acerca de "), QStringLiteral("Autor : Pelmont"),
             QStringLiteral("Desenvolvedor de software"));
}

void TAboutF::SetTextsSpanish() {
    SetTexts(QStringLiteral("Acerca de "), QStringLiteral("Autor : Pelmont"),
             QStringLiteral("Desarrollador de software"));
}

void TAboutF::RunAnimation(int language) {
    TWaitCursor hourglass;
    switch (language) {
    case 1: SetTextsEnglish(); break;
    case 2: SetTextsGalician(); break;
    case 3: SetTextsSpanish(); break;
    default: break;
    }
    FollowPixelRatio();
    TCanvas* background = Image1->Canvas();
    background->Brush.Style = bsSolid;
    background->Brush.Color = kPlateColor;
    background->FillRect(Rect(0, 0, Image1->DeviceWidth(), Image1->DeviceHeight()));
    background->Font.SetColor(kShadowColor);
    DrawTexts(2, 3, false, Image1);

    CopyImage(Image1, Image2);
    ShowBuffer();
    Image2->Canvas()->Font.SetColor(clBlack);
    DrawTexts(2, 2, true, Image2);

    // The slide: each step starts again from the shadow layer.
    CopyImage(Image1, Image2);
    DrawTexts(1, 1, false, Image2);
    Panel1->repaint();
    CopyImage(Image1, Image2);
    DrawTexts(0, 0, false, Image2);
    Panel1->repaint();
    CopyImage(Image1, Image2);
    DrawTexts(-1, -1, false, Image2);
}

// Positions, offsets and font sizes are those of a screen of pixel ratio 1, scaled to the
// buffers' pixels.
void TAboutF::DrawTexts(int dx, int dy, bool animate, TImage* image) {
    TFont& font = image->Canvas()->Font;
    const double ratio = image->PixelRatio();
    const auto px = [ratio](int length) { return ratio == 1 ? length : RoundToInt(length * ratio); };
    const auto setSize = [&font, ratio](int points) {
        font.SetSize(points);
        if (ratio != 1)
            font.SetHeight(-RoundToInt(-font.Height() * ratio));
    };
    font.SetName(QStringLiteral("Times New Roman"));
    font.SetStyle(font.Style() | fsBold);
    setSize(14);
    FCurrentText = FTitle;
    DrawLine(px(kLeft + dx), px(kTitleTop + dy), animate, image);

    font.SetStyle((font.Style() | fsBold) & ~TFontStyles(fsItalic));
    setSize(10);
    FCurrentText = FAuthor;
    DrawLine(px(kLeft + dx), px(kBase + dy), animate, image);
    FCurrentText = FProfession;
    DrawLine(px(kLeft + dx), px(kBase + kStep + dy), animate, image);

    font.SetName(QStringLiteral("MS Sans Serif"));
    setSize(9);
    FCurrentText = QString::fromLatin1(kTelephoneLine);
    DrawLine(px(kLeft + dx), px(kBase + 4 * kStep + dy), animate, image);
    FCurrentText = QString::fromLatin1(kEmailLine);
    DrawLine(px(kLeft + dx), px(kBase + 5 * kStep + dy), animate, image);
}

// The three buffers hold the card at the screen's own pixels, and are shown one to one.
void TAboutF::FollowPixelRatio() {
    const double ratio = devicePixelRatio();
    for (TImage* image : {Image1, Image2, Image3}) {
        image->SetPixelRatio(ratio);
        TBitmap* bitmap = image->Picture()->Graphic() ? image->Picture()->Bitmap() : nullptr;
        if (bitmap && (bitmap->Width() != image->DeviceWidth() || bitmap->Height() != image->DeviceHeight()))
            bitmap->SetSize(image->DeviceWidth(), image->DeviceHeight());
    }
}

// Each character is measured alone and placed after the widths of those before it (no kerning
// between pairs). The places are summed as we go, so a line of any length is drawn.
void TAboutF::DrawLine(int x, int y, bool animate, TImage* image) {
    TCanvas* canvas = image->Canvas();
    int place = x;
    for (int i = 0; i < FCurrentText.size();) {
        // A character outside the basic plane is a surrogate pair: draw the pair as one.
        const int length = FCurrentText.at(i).isHighSurrogate() && i + 1 < FCurrentText.size() ? 2 : 1;
        const QString character = FCurrentText.mid(i, length);
        i += length;
        canvas->Brush.Style = bsClear;
        SetBkMode(canvas->Handle(), TRANSPARENT);
        canvas->TextOut(place, y, character);
        place += canvas->TextWidth(character);
        if (animate) {
            if (QWidget* parent = image->parentWidget())
                parent->repaint();
            ShowBuffer();
        }
    }
    ShowBuffer();
}

void TAboutF::ShowBuffer() { CopyImage(Image2, Image3); }

void TAboutF::CopyImage(TImage* source, TImage* target) {
    source->Canvas();  // a bitmap of the control's size, made on first use
    target->Canvas()->Draw(0, 0, *source->Picture()->Bitmap());
}

}  // namespace Tallwick
