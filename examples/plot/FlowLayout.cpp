// A layout that sets its widgets side by side at their preferred sizes, left to right, and starts a
// new row where the next one would not fit.
#include "FlowLayout.h"

#include <QWidget>
#include <algorithm>

namespace Tallwick {

namespace {
constexpr int kGap = 6;
}

TFlowLayout::TFlowLayout(QWidget* parent) : QLayout(parent) {
    setSpacing(kGap);
    setContentsMargins(0, 0, 0, 0);
}

TFlowLayout::~TFlowLayout() { qDeleteAll(FItems); }

void TFlowLayout::addItem(QLayoutItem* item) { FItems.append(item); }

QLayoutItem* TFlowLayout::takeAt(int index) {
    if (index < 0 || index >= FItems.size())
        return nullptr;
    return FItems.takeAt(index);
}

int TFlowLayout::heightForWidth(int width) const {
    const QMargins m = contentsMargins();
    return Arrange(QRect(0, 0, width - m.left() - m.right(), 0), false) + m.top() + m.bottom();
}

// Never narrower than the widest item: items keep their preferred sizes.
QSize TFlowLayout::minimumSize() const {
    QSize size;
    for (const QLayoutItem* item : FItems)
        if (!item->isEmpty())
            size = size.expandedTo(item->sizeHint());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

// All in one row.
QSize TFlowLayout::sizeHint() const {
    int width = 0, height = 0;
    for (const QLayoutItem* item : FItems) {
        if (item->isEmpty())
            continue;
        width += (width > 0 ? spacing() : 0) + item->sizeHint().width();
        height = std::max(height, item->sizeHint().height());
    }
    const QMargins m = contentsMargins();
    return QSize(width + m.left() + m.right(), height + m.top() + m.bottom());
}

void TFlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    Arrange(rect.marginsRemoved(contentsMargins()), true);
}

int TFlowLayout::Arrange(const QRect& rect, bool place) const {
    int x = rect.x(), y = rect.y(), rowHeight = 0;
    for (QLayoutItem* item : FItems) {
        if (item->isEmpty())
            continue;
        const QSize size = item->sizeHint();
        if (x > rect.x() && x + size.width() > rect.x() + rect.width()) {
            x = rect.x();
            y += rowHeight + spacing();
            rowHeight = 0;
        }
        if (place)
            item->setGeometry(QRect(QPoint(x, y), size));
        x += size.width() + spacing();
        rowHeight = std::max(rowHeight, size.height());
    }
    return y + rowHeight - rect.y();
}

}  // namespace Tallwick
