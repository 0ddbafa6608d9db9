#include "GalleryDemos.h"

#include "Canvas.h"
#include "ComponentTable.h"
#include "Tcolorbutton.h"
#include "Tveximage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <functional>
#include <map>

namespace Tallwick {

namespace {

void ImageDemo(QWidget* cell) {
    auto* image = new TVexImage(cell);
    image->SetHeightWidth(150, 220);
    image->setFixedSize(220, 150);
    image->Fill(clNavy);
    TCanvas* canvas = image->Canvas();
    canvas->Pen.Color = clYellow;
    canvas->Brush.Color = clTeal;
    canvas->Rectangle(10, 10, 90, 60);
    canvas->Brush.Color = clMaroon;
    canvas->Ellipse(110, 10, 210, 80);
    canvas->Pen.Color = clWhite;
    for (int x = 10; x < 210; x += 10) {
        canvas->MoveTo(x, 140);
        canvas->LineTo(x + 10, 140 - (x % 40));
    }
    canvas->Font.SetColor(clWhite);
    canvas->Brush.Style = bsClear;
    canvas->TextOut(12, 90, QStringLiteral("TVexImage"));
    cell->layout()->addWidget(image);
}

void ColorButtonDemo(QWidget* cell) {
    auto* row = new QWidget(cell);
    auto* layout = new QHBoxLayout(row);
    auto* button = new TColorButton(row);
    button->setFixedSize(64, 24);
    auto* label = new QLabel(row);
    const auto show = [button, label] { label->setText(ColorToQColor(button->Color()).name()); };
    QObject::connect(button, &TColorButton::changed, label, show);
    show();
    layout->addWidget(button);
    layout->addWidget(label);
    cell->layout()->addWidget(row);
}

const std::map<QString, std::function<void(QWidget*)>>& Demos() {
    static const std::map<QString, std::function<void(QWidget*)>> demos = {
        {QStringLiteral("TVexImage"), ImageDemo},
        {QStringLiteral("TColorButton"), ColorButtonDemo},
    };
    return demos;
}

}  // namespace

bool AddDemo(const TComponentInfo& info, QWidget* cell) {
    const auto demo = Demos().find(QString::fromLatin1(info.Name));
    if (demo == Demos().end())
        return false;
    demo->second(cell);
    return true;
}

}  // namespace Tallwick
