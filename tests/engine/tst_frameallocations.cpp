// A steady frame allocates no memory: every heap allocation of this process is counted, through
// replacements of the C allocator's entry points, while frames are drawn.
#include "StarsScene.h"

#include <QTest>
#include <cstddef>
#include <ctime>

using namespace Tallwick;

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {
thread_local bool tCounting = false;
thread_local long tAllocations = 0;

inline void Count() {
    if (tCounting)
        ++tAllocations;
}

// Allocations made on this thread while `draw` runs.
template <typename F>
long AllocationsDuring(F draw) {
    tAllocations = 0;
    tCounting = true;
    draw();
    tCounting = false;
    return tAllocations;
}
}  // namespace

extern "C" {
void* malloc(std::size_t size) {
    Count();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    Count();
    return __libc_calloc(count, size);
}
void* realloc(void* block, std::size_t size) {
    Count();
    return __libc_realloc(block, size);
}
void* memalign(std::size_t alignment, std::size_t size) {
    Count();
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) {
    Count();
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** block, std::size_t alignment, std::size_t size) {
    Count();
    *block = __libc_memalign(alignment, size);
    return *block ? 0 : 12;  // ENOMEM
}
void free(void* block) { __libc_free(block); }
}

class TestFrameAllocations : public QObject {
    Q_OBJECT
private slots:
    void countingSeesAllocations();
    void steadyFramesAllocateNothing_data();
    void steadyFramesAllocateNothing();
    void systemClockFramesWithinASecondAllocateNothing();
};

void TestFrameAllocations::countingSeesAllocations() {
    const long counted = AllocationsDuring([] {
        QString text = QStringLiteral("x").repeated(100);
        QVERIFY(!text.isEmpty());
    });
    QVERIFY(counted >= 1);
}

void TestFrameAllocations::steadyFramesAllocateNothing_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("stars");
    QTest::newRow("1024x768, 1000 stars") << 1024 << 768 << 1000;
    QTest::newRow("1920x1080, 9999 stars") << 1920 << 1080 << 9999;
    QTest::newRow("preview 152x112") << 152 << 112 << 1000;
}

void TestFrameAllocations::steadyFramesAllocateNothing() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, stars);
    StarsScene scene(width, height);
    scene.Stars.StarCount = stars;
    scene.Stars.DrawFrame();  // the first frame sizes the arrays, scales the logo, renders the text
    const long counted = AllocationsDuring([&] {
        for (int frame = 0; frame < 60; ++frame)
            scene.Stars.DrawFrame();
    });
    QCOMPARE(counted, 0L);
    QCOMPARE(scene.Stars.FrameCount, 61);
}

void TestFrameAllocations::systemClockFramesWithinASecondAllocateNothing() {
    StarsScene scene(1024, 768);
    scene.Stars.Clock = nullptr;
    scene.Stars.DrawFrame();
    // Frames falling in one second show one text, formatted in the first of them.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::time_t before = std::time(nullptr);
        scene.Stars.DrawFrame();
        const long counted = AllocationsDuring([&] {
            for (int frame = 0; frame < 10; ++frame)
                scene.Stars.DrawFrame();
        });
        if (std::time(nullptr) != before)
            continue;  // the second changed on the way: the text was formatted anew
        QCOMPARE(counted, 0L);
        return;
    }
    QFAIL("ten frames never fitted in one second");
}

QTEST_MAIN(TestFrameAllocations)
#include "tst_frameallocations.moc"
