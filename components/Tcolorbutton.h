#pragma once
/// \class Tallwick::TColorButton
/// TColorButton: a bevelled panel showing a colour, with a flat button over its face that opens the
/// colour chooser. OnChange fires only when the user picks a colour different from the current one;
/// setting Color from code never fires it.
#include <Tallwick/Color.h>
#include <Tallwick/CustomPanel.h>
#include <Tallwick/TallwickExport.h>
#include <Tallwick/Types.h>

#include <functional>
#include <memory>
#include <optional>

class QColorDialog;
class QToolButton;

namespace Tallwick {

/// Qt face: Color (and ColorValue) and the panel's properties; OnChange is also the signal
/// changed, OnResize (the panel's, called before the face button is laid out again) the panel's
/// signal resized.
class TALLWICK_EXPORT TColorButton : public TCustomPanel {
    Q_OBJECT
public:
    /// Asks the user for a colour, starting from `preset` (plain RGB): the chosen colour, or
    /// nothing when the user cancels.
    using TColorChooser = std::function<std::optional<TColor>(TColorButton* sender, TColor preset)>;

    explicit TColorButton(QWidget* owner = nullptr);
    ~TColorButton() override;

    TNotifyEvent OnChange;

    QToolButton* Button() const;
    QColorDialog* ColorDialog() const;

    void ButtonClick(QObject* Sender);
    void ButtonResize();
    void PanelResize(QObject* Sender);

    static void Register();

signals:
    void changed(QObject* Sender);

private:
    friend class TColorButtonTesting;  // TcolorbuttonTesting.h, internal: tests script the chooser
    std::optional<TColor> RunColorDialog(TColor preset);

    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
