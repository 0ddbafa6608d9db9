#pragma once
// TAboutF, the about box: the title and the author's card as raised lettering on a grey plate.
// At its first paint, and at each click of a flag, the plate is built again: the text is typed in
// character by character, then slides up and left one pixel per step until it stands above its
// light shadow. The animation has no timer: it runs as fast as drawing and repainting allow, with
// the hourglass cursor showing meanwhile.
#include <QDialog>
#include <QString>

class QButtonGroup;
class QPushButton;

namespace Tallwick {
class TCustomPanel;
class TImage;
class TSpeedButton;

class TAboutF : public QDialog {
    Q_OBJECT
public:
    explicit TAboutF(QWidget* owner = nullptr);
    ~TAboutF() override;

    TSpeedButton* SpeedButton1;  // English
    TSpeedButton* SpeedButton2;  // Galician
    TSpeedButton* SpeedButton3;  // Spanish
    TCustomPanel* Panel1;
    TImage* Image1;  // background buffer: the grey plate with the light shadow layer
    TImage* Image2;  // composition buffer
    TImage* Image3;  // display
    QPushButton* BitBtn1;

    void FormCreate(QObject* Sender);
    void SpeedButton1Click(QObject* Sender);
    void SetTextsEnglish();
    void SetTextsGalician();
    void SetTextsSpanish();
    // Language 1 English, 2 Galician, 3 Spanish; any other value keeps the current texts.
    void RunAnimation(int language);
    void DrawTexts(int dx, int dy, bool animate, TImage* image);
    // Draws CurrentText() at (x, y) (pixels of the image's bitmap), one character at a time; any
    // length is drawn.
    void DrawLine(int x, int y, bool animate, TImage* image);
    void ShowBuffer();

    const QString& CurrentText() const { return FCurrentText; }
    void SetCurrentText(const QString& text) { FCurrentText = text; }
    // The language of the flag that is down (1 to 3).
    int DownLanguage() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The box has no Cancel button, so Escape does nothing; OK (or Enter) closes it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void FollowPixelRatio();
    void SetTexts(const QString& captionPrefix, const QString& author, const QString& profession);
    static void CopyImage(TImage* source, TImage* target);

    QString FAuthor;
    bool FPainted = false;
    QString FCurrentText;
    QString FTitle;
    QString FProfession;
    QButtonGroup* FFlags;
};

}  // namespace Tallwick
