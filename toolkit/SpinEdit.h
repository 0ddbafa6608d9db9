#pragma once
/// \class Tallwick::TSpinEdit
/// TSpinEdit: an edit box with up and down arrows holding a floating-point value.
///
/// The arrows (and the Up/Down keys) stay within MinValue..MaxValue. Typing is looser, as in the
/// classic control: any number of at most MaxLength characters is accepted while typing, so Value
/// reads what was typed, even outside the range; leaving the box brings the text back into range.
/// A text that is not a number reads as MinValue. With MinValue == MaxValue there are no bounds.
#include <Tallwick/TallwickExport.h>
#include <Tallwick/CustomPanel.h>

#include <QAbstractSpinBox>
#include <memory>

namespace Tallwick {

class TALLWICK_EXPORT TSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(double MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
public:
    explicit TSpinEdit(QWidget* owner = nullptr);
    ~TSpinEdit() override;

    double Value() const;
    /// Stores the value brought into the bounds and shows it with Decimals places.
    void SetValue(double value);
    double MinValue() const;
    void SetMinValue(double value);
    double MaxValue() const;
    void SetMaxValue(double value);
    double Increment() const;
    void SetIncrement(double value);
    int Decimals() const;
    void SetDecimals(int value);
    /// Most characters the user may type; 0 for no limit. Values set from code are shown in full.
    int MaxLength() const;
    void SetMaxLength(int value);
    TAlignment Alignment() const;
    void SetAlignment(TAlignment value);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool HasBounds() const;
    double CheckValue(double value) const;
    QString FormatValue(double value) const;

    class Private;
    std::unique_ptr<Private> d;
};

}  // namespace Tallwick
