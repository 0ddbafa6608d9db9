// TSpinEdit: an edit box with up and down arrows holding a floating-point value.
#include "SpinEdit.h"

#include <QLineEdit>
#include <QLocale>
#include <algorithm>

namespace Tallwick {

class TSpinEdit::Private {
public:
    double FMinValue = 0;
    double FMaxValue = 0;
    double FIncrement = 1;
    int FDecimals = 0;
    int FMaxLength = 0;
    TAlignment FAlignment = taLeftJustify;
    QString FShownText;  ///< the text of the last value set from code
};

namespace {
// The user's number format, without group separators (they would not survive typing).
QLocale NumberLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}
}  // namespace

TSpinEdit::TSpinEdit(QWidget* owner) : QAbstractSpinBox(owner), d(std::make_unique<Private>()) {
    setAccelerated(true);
    SetValue(0);
}

double TSpinEdit::Value() const {
    const QString text = lineEdit()->text().trimmed();
    bool ok = false;
    double value = NumberLocale().toDouble(text, &ok);
    if (!ok)
        value = QLocale::c().toDouble(text, &ok);
    return ok ? value : d->FMinValue;
}

void TSpinEdit::SetValue(double value) {
    d->FShownText = FormatValue(CheckValue(value));
    lineEdit()->setText(d->FShownText);
    update();
}

void TSpinEdit::SetMinValue(double value) {
    if (value == d->FMinValue)
        return;
    d->FMinValue = value;
    SetValue(Value());
}

void TSpinEdit::SetMaxValue(double value) {
    if (value == d->FMaxValue)
        return;
    d->FMaxValue = value;
    SetValue(Value());
}

void TSpinEdit::SetDecimals(int value) {
    d->FDecimals = std::max(0, value);
    SetValue(Value());
}

void TSpinEdit::SetAlignment(TAlignment value) {
    d->FAlignment = value;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (value == taRightJustify)
        horizontal = Qt::AlignRight;
    else if (value == taCenter)
        horizontal = Qt::AlignHCenter;
    setAlignment(horizontal | Qt::AlignVCenter);
}

double TSpinEdit::CheckValue(double value) const {
    if (!HasBounds())
        return value;
    return std::clamp(value, std::min(d->FMinValue, d->FMaxValue), std::max(d->FMinValue, d->FMaxValue));
}

QString TSpinEdit::FormatValue(double value) const { return NumberLocale().toString(value, 'f', d->FDecimals); }

void TSpinEdit::stepBy(int steps) {
    SetValue(Value() + steps * d->FIncrement);
    if (hasFocus())
        selectAll();
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
    if (isReadOnly())
        return StepNone;
    if (!HasBounds())
        return StepUpEnabled | StepDownEnabled;
    const double value = Value();
    StepEnabled enabled = StepNone;
    if (value < d->FMaxValue)
        enabled |= StepUpEnabled;
    if (value > d->FMinValue)
        enabled |= StepDownEnabled;
    return enabled;
}

// Digits, one sign where negative values are possible and one decimal separator where decimals
// are shown; the number itself may lie outside the bounds until the box is left. A value set from
// code may be longer than MaxLength; it must count as valid, or the line edit would stop refusing
// typed input that is too long.
QValidator::State TSpinEdit::validate(QString& input, int&) const {
    if (d->FMaxLength > 0 && input.size() > d->FMaxLength && input != d->FShownText)
        return QValidator::Invalid;
    const QLocale locale = NumberLocale();
    const bool signAllowed = !HasBounds() || std::min(d->FMinValue, d->FMaxValue) < 0;
    bool seenSeparator = false, seenDigit = false;
    for (int i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        if (c.isDigit())
            seenDigit = true;
        else if (i == 0 && signAllowed && (c == locale.negativeSign().front() || c == QLatin1Char('-')))
            continue;
        else if (d->FDecimals > 0 && !seenSeparator && c == locale.decimalPoint().front())
            seenSeparator = true;
        else if (c != QLatin1Char(' '))
            return QValidator::Invalid;
    }
    return seenDigit ? QValidator::Acceptable : QValidator::Intermediate;
}

// Leaving the box shows the value it stands for, within the bounds.
void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    const QString shown = FormatValue(CheckValue(Value()));
    if (lineEdit()->text() != shown)
        SetValue(Value());
    QAbstractSpinBox::focusOutEvent(event);
}

double TSpinEdit::MinValue() const { return d->FMinValue; }
double TSpinEdit::MaxValue() const { return d->FMaxValue; }
double TSpinEdit::Increment() const { return d->FIncrement; }
void TSpinEdit::SetIncrement(double value) { d->FIncrement = value; }
int TSpinEdit::Decimals() const { return d->FDecimals; }
int TSpinEdit::MaxLength() const { return d->FMaxLength; }
void TSpinEdit::SetMaxLength(int value) { d->FMaxLength = value; }
TAlignment TSpinEdit::Alignment() const { return d->FAlignment; }
bool TSpinEdit::HasBounds() const { return d->FMaxValue != d->FMinValue; }
TSpinEdit::~TSpinEdit() = default;

}  // namespace Tallwick
