#pragma once
// The gallery: one cell for each visual component of the component table, showing it at work, and a
// table of every mounted drive for the disk information component. A component without a demo of
// its own is shown as it comes, so a component added to the table appears here by itself.
#include <QWidget>

namespace Tallwick {

class TGalleryWindow : public QWidget {
    Q_OBJECT
public:
    explicit TGalleryWindow(QWidget* parent = nullptr);
};

}  // namespace Tallwick
