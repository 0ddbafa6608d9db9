#pragma once
/// \file
/// Plain records and event signatures shared by every layer: pixel geometry, mouse input, handlers.
#include <Tallwick/TallwickExport.h>

#include <QObject>
#include <functional>

namespace Tallwick {
/// The library's shared enumerations are known to Qt's meta-object system (Designer shows them by
/// name, properties and signals carry them).
Q_NAMESPACE_EXPORT(TALLWICK_EXPORT)

struct TPoint {
    int x = 0;
    int y = 0;
};

/// Pixel rectangle; Right and Bottom are exclusive.
struct TALLWICK_EXPORT TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect& o) const {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
};

inline TPoint Point(int x, int y) { return TPoint{x, y}; }
inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }

enum TMouseButton { mbLeft, mbRight, mbMiddle };
Q_ENUM_NS(TMouseButton)

enum TShiftFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using TShiftState = unsigned;

/// Alignment of a control inside its parent's client area.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)

/// Bevels of a panel, and the horizontal alignment of its caption.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
Q_ENUM_NS(TBevelCut)
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

/// Events are single handlers; the sender is the component that raised the event.
using TNotifyEvent = std::function<void(QObject* Sender)>;
using TMouseEvent = std::function<void(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject* Sender, TShiftState Shift, int X, int Y)>;

}  // namespace Tallwick
