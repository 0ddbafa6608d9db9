// The demonstrations of the gallery: each fills a cell with one kind of component at work.
#include "GalleryDemos.h"

#include <Tallwick/Bitmap.h>
#include <Tallwick/Canvas.h>
#include <Tallwick/ComponentTable.h>
#include <Tallwick/Diskinfo.h>
#include <Tallwick/Exception.h>
#include "PlotWindow.h"
#include <Tallwick/Tcolorbutton.h>
#include <Tallwick/EventGuard.h>
#include <Tallwick/Tescala.h>
#include <Tallwick/Tpnlimg.h>
#include <Tallwick/Tpoly.h>
#include <Tallwick/Tvexprogress.h>
#include <Tallwick/Tveximage.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QTimer>
#include <cmath>
#include <memory>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cstdlib>
#include <functional>
#include <map>

namespace Tallwick {

namespace {

// The drawing primitives on one surface; the same picture saved as JPEG, loaded into a second
// surface and turned by 30 degrees.
void ImageDemo(QWidget* cell) {
    auto* row = new QWidget(cell);
    auto* layout = new QHBoxLayout(row);
    auto* image = new TVexImage(row);
    image->SetHeightWidth(150, 200);
    image->setFixedSize(200, 150);
    image->Fill(clNavy);
    image->Ball3D(10, 10, 80, 80, clMaroon, clYellow, true);
    image->Rect3D(95, 10, 190, 50, clSilver, 3, true);
    image->Rect3D(95, 58, 190, 98, clSilver, 3, false);
    image->EllipseTrans(20, 95, 90, 140, clRed);
    image->EllipseTrans(55, 95, 125, 140, clLime);
    image->Canvas()->Font.SetColor(clWhite);
    image->Canvas()->Brush.Style = bsClear;
    image->TextOutInv(108, 22, QStringLiteral("Inverted"));
    image->TextOutRot(150, 140, 30, QStringLiteral("Rotated"));
    layout->addWidget(image);

    auto* loaded = new TVexImage(row);
    const QString file = QDir::temp().filePath(QStringLiteral("tallwick-gallery.jpg"));
    try {
        image->SaveToFile(file);
        loaded->LoadFromFile(file);
        loaded->Rotate(30);
        loaded->SetHeightWidth(loaded->Picture()->Height(), loaded->Picture()->Width());
    } catch (const Exception& error) {
        loaded->SetHeightWidth(40, 200);
        loaded->Fill(clWhite);
        loaded->Canvas()->TextOut(2, 2, error.Message);
    }
    QFile::remove(file);
    loaded->setFixedSize(loaded->Width(), loaded->Height());
    layout->addWidget(loaded);
    layout->addStretch();
    cell->layout()->addWidget(row);
}

// Two scales over the same range: two-colour and three-colour graduation.
void ScaleDemo(QWidget* cell) {
    auto* row = new QWidget(cell);
    auto* layout = new QHBoxLayout(row);
    for (auto graduation : {TEscala::egTwo, TEscala::egThree}) {
        auto* scale = new TEscala(row);
        scale->SetGraduation(graduation);
        scale->SetGradColor1(clBlue);
        scale->SetGradColor2(clRed);
        scale->setFixedSize(scale->size());
        QObject::connect(scale, &TControl::WidthChanged, scale, [scale] { scale->setFixedSize(scale->size()); });
        layout->addWidget(scale);
    }
    layout->addStretch();
    cell->layout()->addWidget(row);
}

// A polygon whose corners come and go, with a point walking along its contour.
void PolygonDemo(QWidget* cell) {
    auto* poly = new TPoly(cell);
    poly->setFixedSize(160, 160);
    poly->SetCount(6);
    auto* walk = new QTimer(poly);
    auto fraction = std::make_shared<double>(0.0);
    QObject::connect(walk, &QTimer::timeout, poly, [poly, fraction] {
        GuardEvent(poly, [&] {
            *fraction = std::fmod(*fraction + 0.005, 1.0);
            poly->Draw();
            const TPoint p = poly->ContPoint(*fraction, poly->ValueXc(), poly->ValueYc(), poly->ValueR());
            TVexImage* image = poly->Image();
            image->Canvas()->Pen.Color = clYellow;
            image->Canvas()->Brush.Color = clRed;
            image->Canvas()->Brush.Style = bsSolid;
            image->Ellipse(p.x, p.y, 5);
        });
    });
    walk->start(40);
    cell->layout()->addWidget(poly);
}

// Progress bars: an ordinary one filling up, one in timer mode, and a vertical one wide enough
// for its widest percentage.
void ProgressDemo(QWidget* cell) {
    auto* filling = new TVexProgress(cell);
    filling->setFixedSize(200, 15);
    auto* timerMode = new TVexProgress(cell);
    timerMode->setFixedSize(200, 15);
    timerMode->SetIsTimer(true);
    auto* vertical = new TVexProgress(cell);
    vertical->SetOrientation(TVexProgress::vpoVertical);
    TBitmap measure;
    measure.Canvas()->Font.Assign(vertical->Font());
    const int bevels = vertical->width() - vertical->Image()->Width();
    vertical->setFixedSize(measure.Canvas()->TextWidth(QStringLiteral("100 %")) + bevels + 6, 100);
    vertical->SetPosition(70);
    auto* ticks = new QTimer(filling);
    QObject::connect(ticks, &QTimer::timeout, filling, [filling, timerMode] {
        GuardEvent(filling, [&] {
            filling->SetPosition(filling->Position() >= filling->Max() ? filling->Min() : filling->Position() + 1);
            timerMode->StepIt();
        });
    });
    ticks->start(60);
    cell->layout()->addWidget(filling);
    cell->layout()->addWidget(timerMode);
    cell->layout()->addWidget(vertical);
}

// The mouse wheel over a panel's image moves its scroll bars as it would move the bars
// themselves: the vertical one, or with Shift (or a sideways wheel) the horizontal one.
class WheelToScrollBars : public QObject {
public:
    explicit WheelToScrollBars(TPnlImg* panel) : QObject(panel), FPanel(panel) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Wheel)
            return false;
        const auto* wheel = static_cast<const QWheelEvent*>(event);
        const QPoint delta = wheel->angleDelta();
        const bool tilted = std::abs(delta.x()) > std::abs(delta.y());
        QScrollBar* bar =
            (wheel->modifiers() & Qt::ShiftModifier) || tilted ? FPanel->ScrollBarH() : FPanel->ScrollBarV();
        if (!bar)
            return false;
        // Fine-grained wheels send parts of a notch (120 eighths of a degree): keep the rest.
        FEighths += tilted ? delta.x() : delta.y();
        const int notches = FEighths / 120;
        FEighths -= notches * 120;
        bar->setValue(bar->value() - notches * bar->singleStep() * QApplication::wheelScrollLines());
        return true;
    }

private:
    TPnlImg* FPanel;
    int FEighths = 0;
};

// The image panel with its scroll bars on, moving the picture inside it one pixel per step of a
// bar: an arrow, the wheel over the picture (Shift+wheel sideways) or a drag.
void PanelDemo(QWidget* cell) {
    auto* panel = new TPnlImg(cell);
    panel->setFixedSize(160, 160);
    panel->SetScrollBars(true);
    TVexImage* image = panel->Image();
    const auto paint = [panel, image] {
        image->Fill(clTeal);
        const int dx = panel->ScrollBarH() ? panel->ScrollBarH()->value() : 0;
        const int dy = panel->ScrollBarV() ? panel->ScrollBarV()->value() : 0;
        image->Ball3D(20 - dx, 20 - dy, 120 - dx, 120 - dy, clNavy, clAqua, false);
    };
    panel->OnScrollBarHChange = [paint](QObject*) { paint(); };
    panel->OnScrollBarVChange = [paint](QObject*) { paint(); };
    image->installEventFilter(new WheelToScrollBars(panel));
    paint();
    cell->layout()->addWidget(panel);
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

QString SizeText(qint64 bytes) {
    return bytes < 0 ? QStringLiteral("?") : QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

// One TDiskInfo asked about every drive in turn, one row per drive.
void DiskInfoDemo(QWidget* cell) {
    auto* info = new TDiskInfo(cell);
    const QStringList drives = info->AvailableDrives();
    const QStringList headers = {"Drive",      "Mounted on",      "DriveType", "VolumeName",
                                 "FileSystem", "SerialNumberStr", "DriveSize", "DriveFree"};
    auto* table = new QTableWidget(int(drives.size()), int(headers.size()), cell);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    for (int row = 0; row < drives.size(); ++row) {
        try {
            info->SetDrive(drives[row]);
        } catch (const Exception&) {
            continue;
        }
        const QStringList values = {
            info->Drive(),      info->MountPoint(),      info->DriveType(),           info->VolumeName(),
            info->FileSystem(), info->SerialNumberStr(), SizeText(info->DriveSize()), SizeText(info->DriveFree())};
        for (int column = 0; column < values.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(values[column]));
    }
    table->resizeColumnsToContents();
    table->setMinimumHeight(150);
    cell->layout()->addWidget(table);
}

// The plot of tallwick-plot, with its mode buttons: zoom in, zoom out, pan, show all.
void PlotDemo(QWidget* cell) {
    auto* plot = new TPlotWindow(cell);
    plot->setMinimumSize(380, 320);
    cell->layout()->addWidget(plot);
}

const std::map<QString, std::function<void(QWidget*)>>& Demos() {
    static const std::map<QString, std::function<void(QWidget*)>> demos = {
        {QStringLiteral("TVexImage"), ImageDemo},       {QStringLiteral("TColorButton"), ColorButtonDemo},
        {QStringLiteral("TDiskInfo"), DiskInfoDemo},    {QStringLiteral("TCanvas2D"), PlotDemo},
        {QStringLiteral("TEscala"), ScaleDemo},         {QStringLiteral("TPoly"), PolygonDemo},
        {QStringLiteral("TVexProgress"), ProgressDemo}, {QStringLiteral("TPnlImg"), PanelDemo},
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
