#pragma once
// A layout that sets its widgets side by side at their preferred sizes, left to right, and starts
// a new row where the next one would not fit: in a narrow window the toolbar grows taller instead
// of cutting its buttons' captions.
#include <QLayout>
#include <QList>

namespace Tallwick {

class TFlowLayout : public QLayout {
public:
    explicit TFlowLayout(QWidget* parent = nullptr);
    ~TFlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return int(FItems.size()); }
    QLayoutItem* itemAt(int index) const override { return FItems.value(index); }
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in `rect` (only measures unless `place`); returns the height they take.
    int Arrange(const QRect& rect, bool place) const;

    QList<QLayoutItem*> FItems;
};

}  // namespace Tallwick
