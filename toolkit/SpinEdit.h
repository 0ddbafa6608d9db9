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

namespace Tallwick {

class TALLWICK_EXPORT TSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(double MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
public:
    explicit TSpinEdit(QWidget* owner = nullptr);

    double Value() const;
    /// Stores the value brought into the bounds and shows it with Decimals places.
    void SetValue(double value);
    double MinValue() const { return FMinValue; }
    void SetMinValue(double value);
    double MaxValue() const { return FMaxValue; }
    void SetMaxValue(double value);
    double Increment() const { return FIncrement; }
    void SetIncrement(double value) { FIncrement = value; }
    int Decimals() const { return FDecimals; }
    void SetDecimals(int value);
    /// Most characters the user may type; 0 for no limit. Values set from code are shown in full.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value) { FMaxLength = value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool HasBounds() const { return FMaxValue != FMinValue; }
    double CheckValue(double value) const;
    QString FormatValue(double value) const;

    double FMinValue = 0;
    double FMaxValue = 0;
    double FIncrement = 1;
    int FDecimals = 0;
    int FMaxLength = 0;
    TAlignment FAlignment = taLeftJustify;
    QString FShownText;  ///< the text of the last value set from code
};

}  // namespace Tallwick
