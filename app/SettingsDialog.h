#pragma once
// TForm3, the settings dialog of the "/c" start: edits the seven saver settings and writes them
// through the star field engine on OK; Cancel, Escape and the close box write nothing. The window
// that was active when the dialog opened is active again when it is gone.
#include <QDialog>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace Tallwick {
class TColorButton;
class TCustomPanel;
class TSpinEdit;
class TStars;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    // `ownerWindow`: another program's window the dialog is opened for ("/c:ID"), or 0.
    explicit TForm3(QWidget* owner = nullptr, unsigned long ownerWindow = 0);
    ~TForm3() override;

    TCustomPanel* Panel1;
    QLabel* StaticText1;         // "Number of stars:"
    QLabel* StaticText2;         // "Speep:"
    QLabel* StaticText3;         // "Background color:"
    QLabel* StaticText4;         // "Stars color:"
    QLabel* StaticText5;         // "Text colors:"
    TColorButton* ColorButton1;  // background
    TColorButton* ColorButton2;  // stars
    TColorButton* ColorButton3;  // text, front copy
    TColorButton* ColorButton4;  // text, far end of the shadow
    TSpinEdit* SpinEdit1;        // number of stars
    QSlider* TrackBar1;          // speed
    QCheckBox* CheckBox1;        // logo shown
    QPushButton* BitBtn1;        // OK
    QPushButton* BitBtn2;        // Cancel
    QPushButton* BitBtn3;        // About...

    // The window the dialog was opened for when the host could make it the dialog's owner, else
    // the one that was active when the dialog was created (0 for none, or on hosts that know no
    // other programs' windows).
    unsigned long RememberedWindow() const { return FRememberedWindow; }
    TStars* Stars() const { return FStars.get(); }

    void FormCreate(QObject* Sender);
    void FormShow(QObject* Sender);
    void BitBtn1Click(QObject* Sender);
    void BitBtn2Click(QObject* Sender);
    void BitBtn3Click(QObject* Sender);
    void FormDestroy(QObject* Sender);

    // Escape: as the Cancel button.
    void reject() override;
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void CreateStaticTexts();
    void CreateColorButtons();
    void CreateButtons();
    void SetTabOrder();

    unsigned long FOwnerWindow = 0;
    unsigned long FRememberedWindow = 0;
    std::unique_ptr<TStars> FStars;
};

}  // namespace Tallwick
