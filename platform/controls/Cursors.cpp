// The framework's cursor numbers and their Qt shapes, and the application-wide cursor table.
#include "Cursors.h"

#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QRegularExpression>
#include <map>

// Q_INIT_RESOURCE must stand outside any namespace. The pictures live in an object library, whose
// registration must not depend on which of its objects a program happens to pull in.
static void RegisterCursorPictures() { Q_INIT_RESOURCE(tallwick_cursors); }

namespace Tallwick {

namespace {
// Pictures larger than this are not cursors; they are refused before they are decoded.
constexpr qint64 kMaxPictureBytes = 1 << 20;

std::map<TCursor, QCursor>& Table() {
    static std::map<TCursor, QCursor> table;
    return table;
}

QString PicturePath(const QString& name) {
    if (name.startsWith(QLatin1Char(':')) || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('.')))
        return name;
    return QStringLiteral(":/tallwick/cursors/") + name;
}

// The hot spot an XPM header may carry ("w h colours chars x y"); (-1, -1) when there is none.
QPoint XpmHotSpot(const QByteArray& data) {
    static const QRegularExpression header(
        QStringLiteral("\"\\s*\\d+\\s+\\d+\\s+\\d+\\s+\\d+\\s+(\\d+)\\s+(\\d+)\\s*\""));
    if (!data.startsWith("/* XPM */"))
        return QPoint(-1, -1);
    const QRegularExpressionMatch m = header.match(QString::fromLatin1(data.left(512)));
    return m.hasMatch() ? QPoint(m.captured(1).toInt(), m.captured(2).toInt()) : QPoint(-1, -1);
}
}  // namespace

QCursor CursorFor(TCursor cursor) {
    switch (cursor) {
    case crNone: return QCursor(Qt::BlankCursor);
    case crCross: return QCursor(Qt::CrossCursor);
    case crIBeam: return QCursor(Qt::IBeamCursor);
    case crSizeAll: return QCursor(Qt::SizeAllCursor);
    case crHourGlass: return QCursor(Qt::WaitCursor);
    case crDrag: return QCursor(Qt::DragMoveCursor);
    case crNo: return QCursor(Qt::ForbiddenCursor);
    case crHandPoint: return QCursor(Qt::PointingHandCursor);
    default: break;
    }
    const auto& table = Table();
    const auto slot = cursor > 0 ? table.find(cursor) : table.end();
    return slot != table.end() ? slot->second : QCursor(Qt::ArrowCursor);
}

bool LoadCursorPicture(TCursor slot, const QString& name) {
    static const bool registered = (RegisterCursorPictures(), true);
    (void)registered;
    if (slot <= 0)
        return false;
    Table().erase(slot);
    QFile file(PicturePath(name));
    if (name.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxPictureBytes)
        return false;
    const QByteArray data = file.read(kMaxPictureBytes);
    QPixmap picture;
    // Pixmaps need a GUI application; without one the slot keeps the default cursor.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) || !picture.loadFromData(data) ||
        picture.isNull())
        return false;
    QPoint hot = XpmHotSpot(data);
    if (hot.x() < 0 || hot.x() >= picture.width() || hot.y() >= picture.height())
        hot = QPoint(picture.width() / 2, picture.height() / 2);
    Table()[slot] = QCursor(picture, hot.x(), hot.y());
    return true;
}

bool CursorSlotLoaded(TCursor slot) { return slot > 0 && Table().count(slot) > 0; }

}  // namespace Tallwick
