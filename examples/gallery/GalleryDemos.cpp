#include "GalleryDemos.h"

#include "Canvas.h"
#include "ComponentTable.h"
#include "Diskinfo.h"
#include "Exception.h"
#include "PlotWindow.h"
#include "Tcolorbutton.h"
#include "Tveximage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
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

QString SizeText(qint64 bytes) {
    return bytes < 0 ? QStringLiteral("?") : QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

// One TDiskInfo asked about every drive in turn, one row per drive.
void DiskInfoDemo(QWidget* cell) {
    auto* info = new TDiskInfo(cell);
    const QStringList drives = info->AvailableDrives();
    const QStringList headers = {"Drive", "Mounted on", "DriveType", "VolumeName", "FileSystem", "SerialNumberStr",
                                 "DriveSize", "DriveFree"};
    auto* table = new QTableWidget(int(drives.size()), int(headers.size()), cell);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    for (int row = 0; row < drives.size(); ++row) {
        try {
            info->SetDrive(drives[row]);
        } catch (const Exception&) {
            continue;
        }
        const QStringList values = {info->Drive(),      info->MountPoint(),      info->DriveType(),
                                    info->VolumeName(), info->FileSystem(),      info->SerialNumberStr(),
                                    SizeText(info->DriveSize()), SizeText(info->DriveFree())};
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
        {QStringLiteral("TVexImage"), ImageDemo},
        {QStringLiteral("TColorButton"), ColorButtonDemo},
        {QStringLiteral("TDiskInfo"), DiskInfoDemo},
        {QStringLiteral("TCanvas2D"), PlotDemo},
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
