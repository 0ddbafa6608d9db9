// The visual components in Qt layouts: each gives a size hint, a minimum and a size policy a Qt
// widget of its kind would give, follows them when its content changes, and is neither cut nor
// squeezed to nothing in a QGridLayout.
#include <Tallwick/Tcanvas2d.h>
#include <Tallwick/Tescala.h>
#include <Tallwick/Tpoly.h>
#include <Tallwick/Tveximage.h>
#include <Tallwick/Tvexprogress.h>

#include <QFontMetrics>
#include <QGridLayout>
#include <QProgressBar>
#include <QtTest>
#include <functional>

using namespace Tallwick;

namespace {
using Factory = std::function<QWidget*()>;
// What a hint must fit: the size it must equal (-1: no check) and whether it must be a square.
struct Expected {
    int width = -1, height = -1;
    bool square = false;
};

QString PicturePath(const char* name) { return QStringLiteral(IMAGEIO_TEST_DATA "/") + QLatin1String(name); }

TVexImage* ImageWithPicture(int w, int h) {
    auto* image = new TVexImage;
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::darkCyan);
    image->SetPicturePixmap(pixmap);
    return image;
}

TEscala* Scale(TEscala::TEscalaOrientation orientation) {
    auto* scale = new TEscala;
    scale->SetOrientation(orientation);
    return scale;
}

TVexProgress* Progress(TVexProgress::TVexProgressOrientation orientation) {
    auto* bar = new TVexProgress;
    bar->SetOrientation(orientation);
    return bar;
}

// The label font's line height, which QProgressBar's thickness is built on.
int LineHeight(const TVexProgress& bar) { return QFontMetrics(bar.Font().Resolved()).height(); }

int FrameAcross(const TVexProgress& bar) { return bar.height() - bar.Image()->height(); }
}  // namespace

Q_DECLARE_METATYPE(Factory)
Q_DECLARE_METATYPE(Expected)

class TestLayoutHints : public QObject {
    Q_OBJECT

private slots:
    void hints_data();
    void hints();
    void progressLikeQProgressBar();
    void scaleThicknessIsAutoSize();
    void canvasMinimumKeepsPlotArea();
    void hintsFollowContent();
    void gridLayout();
};

void TestLayoutHints::hints_data() {
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QSizePolicy>("policy");
    QTest::addColumn<Expected>("expected");
    const QSizePolicy preferred(QSizePolicy::Preferred, QSizePolicy::Preferred);
    QTest::newRow("image, empty") << Factory([] { return new TVexImage; }) << preferred << Expected{105, 105};
    QTest::newRow("image, bitmap") << Factory([] { return ImageWithPicture(123, 77); }) << preferred
                                   << Expected{123, 77};
    QTest::newRow("image, metafile") << Factory([] {
        auto* image = new TVexImage;
        image->LoadFromFile(PicturePath("shapes.wmf"));
        return image;
    }) << preferred << Expected{};
    QTest::newRow("scale, vertical") << Factory([] { return Scale(TEscala::eoVertical); })
                                     << QSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred) << Expected{};
    QTest::newRow("scale, horizontal") << Factory([] { return Scale(TEscala::eoHorizontal); })
                                       << QSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed) << Expected{};
    QTest::newRow("scale, no autosize") << Factory([] {
        auto* scale = new TEscala;
        scale->SetAutoSize(false);
        return scale;
    }) << preferred << Expected{};
    QTest::newRow("progress, horizontal") << Factory([] { return Progress(TVexProgress::vpoHorizontal); })
                                          << QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed) << Expected{};
    QTest::newRow("progress, vertical") << Factory([] { return Progress(TVexProgress::vpoVertical); })
                                        << QSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding) << Expected{};
    QTest::newRow("plot") << Factory([] { return new TCanvas2D; })
                          << QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding) << Expected{};
    QTest::newRow("polygon") << Factory([] { return new TPoly; }) << preferred << Expected{-1, -1, true};
}

// Valid, the minimum within the hint, the policy of the kind, and the sizes the content asks for.
void TestLayoutHints::hints() {
    QFETCH(Factory, make);
    QFETCH(QSizePolicy, policy);
    QFETCH(Expected, expected);
    std::unique_ptr<QWidget> widget(make());
    const QSize hint = widget->sizeHint(), minimum = widget->minimumSizeHint();
    QVERIFY2(hint.width() > 0 && hint.height() > 0,
             qPrintable(QString("%1 x %2").arg(hint.width()).arg(hint.height())));
    QVERIFY(minimum.width() > 0 && minimum.height() > 0);
    QVERIFY(minimum.width() <= hint.width() && minimum.height() <= hint.height());
    QCOMPARE(widget->sizePolicy().horizontalPolicy(), policy.horizontalPolicy());
    QCOMPARE(widget->sizePolicy().verticalPolicy(), policy.verticalPolicy());
    if (expected.width >= 0)
        QCOMPARE(hint, QSize(expected.width, expected.height));
    if (expected.square)
        QCOMPARE(hint.width(), hint.height());
    if (auto* image = qobject_cast<TVexImage*>(widget.get()); image && image->Picture()->Width() > 0) {
        QCOMPARE(hint, QSize(image->Picture()->Width(), image->Picture()->Height()));
        QCOMPARE(minimum, hint);  // a picture is not cut
    }
}

// As thick as a QProgressBar of the same font (within the frame), as long, and no thinner than a line.
void TestLayoutHints::progressLikeQProgressBar() {
    TVexProgress bar;
    QProgressBar qt;
    qt.setFont(bar.Font().Resolved());
    const int frame = FrameAcross(bar);
    QVERIFY(std::abs(bar.sizeHint().height() - frame - qt.sizeHint().height()) <= 4);
    QVERIFY(std::abs(bar.sizeHint().width() - frame - qt.sizeHint().width()) <= 4);
    QCOMPARE(bar.minimumSizeHint().height(), LineHeight(bar) + 2 + frame);
    QCOMPARE(bar.sizePolicy(), qt.sizePolicy());
    bar.SetOrientation(TVexProgress::vpoVertical);
    qt.setOrientation(Qt::Vertical);
    QCOMPARE(bar.sizePolicy(), qt.sizePolicy());
    QVERIFY(bar.sizeHint().height() > bar.sizeHint().width());
}

// Across, exactly what AutoSize makes of the panel, so a layout and AutoSize never disagree;
// along, every label fits.
void TestLayoutHints::scaleThicknessIsAutoSize() {
    for (auto orientation : {TEscala::eoVertical, TEscala::eoHorizontal}) {
        TEscala scale;
        scale.SetOrientation(orientation);
        scale.SetTextInterval(9);
        scale.SetMaxMin(12345.678, -9);
        const bool vertical = orientation == TEscala::eoVertical;
        QCOMPARE(vertical ? scale.sizeHint().width() : scale.sizeHint().height(),
                 vertical ? scale.width() : scale.height());
        const QFontMetrics metrics(scale.Font().Resolved());
        const int labels = 11, widest = metrics.horizontalAdvance(QStringLiteral("12,345.678"));
        const int along = vertical ? scale.minimumSizeHint().height() : scale.minimumSizeHint().width();
        QVERIFY(along >= labels * (vertical ? metrics.ascent() + metrics.descent() : widest) - widest);
    }
}

// At its minimum size the plot keeps a plot area beside its axes' labels.
void TestLayoutHints::canvasMinimumKeepsPlotArea() {
    TCanvas2D plot;
    plot.SetAxisXMin(-123456);
    plot.Draw();
    plot.resize(plot.minimumSizeHint());
    plot.Draw();
    QVERIFY(plot.MappingValid());
    QVERIFY(plot.ClientWidthGet() >= 20);
    QVERIFY(plot.ClientHeightGet() >= 20);
}

// A new picture, a larger label font or scroll bars give a new hint, and a layout takes it.
void TestLayoutHints::hintsFollowContent() {
    QWidget window;
    auto* grid = new QGridLayout(&window);
    auto* image = ImageWithPicture(40, 30);
    auto* scale = new TEscala;
    grid->addWidget(image, 0, 0);
    grid->addWidget(scale, 0, 1);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const int thin = scale->width();
    image->SetPicturePixmap(QPixmap(90, 70));
    TFont big = scale->Font();
    big.SetSize(20);
    scale->SetFont(big);
    QTRY_VERIFY(image->width() >= 90 && image->height() >= 70);
    QTRY_VERIFY(scale->width() > thin);
    QCOMPARE(scale->width(), scale->sizeHint().width());
    const QSize before = scale->sizeHint();
    scale->SetScrollBars(true);
    QCOMPARE(scale->sizeHint().height(), before.height() + 13);
}

// Every component in one grid: none gets less than its minimum; pictures are whole and the
// scales as thick as their labels.
void TestLayoutHints::gridLayout() {
    QWidget window;
    auto* grid = new QGridLayout(&window);
    auto* metafile = new TVexImage;
    metafile->LoadFromFile(PicturePath("shapes.wmf"));
    const QSize picture(metafile->Picture()->Width(), metafile->Picture()->Height());
    auto* vertical = Scale(TEscala::eoVertical);
    auto* horizontal = Scale(TEscala::eoHorizontal);
    QList<QWidget*> widgets{metafile, vertical, new TCanvas2D, horizontal, Progress(TVexProgress::vpoHorizontal),
                            new TPoly};
    grid->addWidget(widgets[0], 0, 0);
    grid->addWidget(widgets[1], 0, 1);
    grid->addWidget(widgets[2], 0, 2);
    grid->addWidget(widgets[3], 1, 0, 1, 3);
    grid->addWidget(widgets[4], 2, 0, 1, 2);
    grid->addWidget(widgets[5], 2, 2);
    window.resize(1, 1);  // the layout's minimum wins
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (QWidget* widget : widgets) {
        const QSize got = widget->size(), minimum = widget->minimumSizeHint();
        QVERIFY2(got.width() >= minimum.width() && got.height() >= minimum.height(),
                 qPrintable(QString("%1: %2 x %3, minimum %4 x %5")
                                .arg(widget->metaObject()->className())
                                .arg(got.width())
                                .arg(got.height())
                                .arg(minimum.width())
                                .arg(minimum.height())));
    }
    QVERIFY(metafile->width() >= picture.width() && metafile->height() >= picture.height());
    QCOMPARE(vertical->width(), vertical->sizeHint().width());
    QCOMPARE(horizontal->height(), horizontal->sizeHint().height());
    window.resize(900, 700);
    QTRY_COMPARE(window.size(), QSize(900, 700));
    QTRY_VERIFY(widgets[2]->width() > 300);  // the plot takes the room
    QCOMPARE(vertical->width(), vertical->sizeHint().width());
    QCOMPARE(horizontal->height(), horizontal->sizeHint().height());
}

QTEST_MAIN(TestLayoutHints)
#include "tst_layout_hints.moc"
