// The table of picture formats against what is made from it by hand: each row reads the test
// pictures of its extensions and recognises its own files and no other's, and the README's table
// and the thumbnailer entry list what the table holds. (Writing through the rows: tst_image_write.)
#include "ImageTools.h"
#include "PictureFormats.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

using namespace Tallwick;

class TestPictureFormats : public QObject {
    Q_OBJECT
private slots:
    void eachFileHasItsRow_data();
    void eachFileHasItsRow();
    void readmeTableIsTheTable();
    void thumbnailerTypesAreThePlugins();
};

namespace {
QByteArray DataFile(const QString& name) {
    QFile f(QStringLiteral(IMAGEIO_TEST_DATA "/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const std::uint8_t* Bytes(const QByteArray& b) { return reinterpret_cast<const std::uint8_t*>(b.constData()); }

QStringList TextLines(const char* path) {
    QFile f(QString::fromUtf8(path));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')) : QStringList();
}
}  // namespace

void TestPictureFormats::eachFileHasItsRow_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("key");
    const QDir data(QStringLiteral(IMAGEIO_TEST_DATA));
    const QStringList pictures =
        data.entryList(QDir::Files).filter(QRegularExpression(QStringLiteral("^[^.]+\\.[a-z]+$")));
    for (const QString& f : pictures) {
        const QString suffix = f.section(QLatin1Char('.'), -1);
        if (suffix == QLatin1String("sh") || suffix == QLatin1String("py") || f.startsWith(QLatin1String("fuzz-")))
            continue;
        const QByteArray key = suffix == QLatin1String("jpg")   ? "jpeg"
                               : suffix == QLatin1String("tif") ? "tiff"
                                                                : suffix.toLatin1();
        QTest::newRow(qPrintable(f)) << f << key;
    }
}

// The row chosen by name reads the file; a row that recognises by content claims exactly its own
// files, whatever they are called.
void TestPictureFormats::eachFileHasItsRow() {
    QFETCH(QString, file);
    QFETCH(QByteArray, key);
    const TPictureFormat& row = TPictureFormats::ByFileName(file.toUpper());
    QCOMPARE(QByteArray(row.Key), key);
    const QByteArray bytes = DataFile(file);
    const QImage image = row.Read(Bytes(bytes), bytes.size(), file);
    QVERIFY(!image.isNull());
    if (row.Size)
        QCOMPARE(row.Size(Bytes(bytes), bytes.size()), image.size());
    for (const TPictureFormat& other : TPictureFormats::All())
        if (other.Recognize)
            QVERIFY2(other.Recognize(Bytes(bytes), bytes.size()) == (&other == &row), other.Key);
    const TPictureFormat* byContent = TPictureFormats::ByContent(Bytes(bytes), bytes.size());
    QCOMPARE(byContent, row.Recognize ? &row : nullptr);
}

// | Format | Extensions | MIME type | Written | In every Qt program |, a line per row in order.
void TestPictureFormats::readmeTableIsTheTable() {
    const QStringList lines = TextLines(README_FILE);
    const int header =
        lines.indexOf(QStringLiteral("| Format | Extensions | MIME type | Written | In every Qt program |"));
    QVERIFY(header >= 0);
    QStringList rows;
    for (int i = header + 2; i < lines.size() && lines[i].startsWith(QLatin1Char('|')); ++i)
        rows << lines[i];
    QStringList expected;
    for (const TPictureFormat& f : TPictureFormats::All()) {
        QStringList extensions;
        for (const QString& e : f.Extensions)
            extensions << QStringLiteral("`.%1`").arg(e);
        expected << QStringLiteral("| %1 | %2 | `%3` | %4 | %5 |")
                        .arg(QLatin1String(f.Title), extensions.join(QLatin1Char(' ')), QLatin1String(f.MimeType),
                             QLatin1String(f.Write ? "yes" : "no"),
                             QLatin1String(f.EveryQtProgram ? "yes" : "no (Qt's own)"));
    }
    QCOMPARE(rows, expected);
}

void TestPictureFormats::thumbnailerTypesAreThePlugins() {
    QString expected;
    for (const TPictureFormat& f : TPictureFormats::All())
        if (f.EveryQtProgram)
            expected += QLatin1String(f.MimeType) + QLatin1Char(';');
    QVERIFY(TextLines(THUMBNAILER_FILE).contains(QStringLiteral("MimeType=") + expected));
}

QTEST_MAIN(TestPictureFormats)  // metafile text needs fonts
#include "tst_picture_formats.moc"
