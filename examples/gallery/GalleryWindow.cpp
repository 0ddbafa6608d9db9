// The gallery window: one cell for each visual component of the component table, showing it at
// work.
#include "GalleryWindow.h"

#include <Tallwick/ComponentTable.h>
#include "GalleryDemos.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace Tallwick {

namespace {

constexpr int kColumns = 4;

QGroupBox* MakeCell(const TComponentInfo& info, QWidget* parent) {
    auto* cell = new QGroupBox(QString::fromLatin1(info.Name), parent);
    cell->setToolTip(QString::fromUtf8(info.ToolTip));
    auto* layout = new QVBoxLayout(cell);
    auto* caption = new QLabel(QString::fromUtf8(info.ToolTip), cell);
    caption->setWordWrap(true);
    layout->addWidget(caption);
    if (!AddDemo(info, cell)) {
        QObject* component = info.Create(cell);
        if (auto* widget = qobject_cast<QWidget*>(component)) {
            widget->setMinimumSize(info.DefaultSize);
            layout->addWidget(widget);
        }
    }
    layout->addStretch();
    return cell;
}

}  // namespace

TGalleryWindow::TGalleryWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Tallwick components"));
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    // Visual components fill the grid; non-visual ones (their tables are wide) take whole rows below.
    int index = 0;
    for (const TComponentInfo& info : ComponentTable())
        if (info.Visual()) {
            grid->addWidget(MakeCell(info, page), index / kColumns, index % kColumns);
            ++index;
        }
    int row = (index + kColumns - 1) / kColumns;
    for (const TComponentInfo& info : ComponentTable())
        if (!info.Visual())
            grid->addWidget(MakeCell(info, page), row++, 0, 1, kColumns);
    grid->setRowStretch(row, 1);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    resize(1600, 1040);
}

}  // namespace Tallwick
