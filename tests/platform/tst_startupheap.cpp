#include "startupheap.h"

#include <QTest>

#include <cstdint>
#include <cstdlib>
#include <vector>

#if defined(__GLIBC__)
#include <sys/mman.h>
#include <unistd.h>
#endif

class TestStartupHeap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void blocksAreResidentBeforeTheyAreTouched();
};

namespace {

#if defined(__GLIBC__)
// How many of the whole pages inside [block, block + size) are resident,
// asked without touching them; -1 when the system cannot tell.
[[maybe_unused]] long residentPages(const void *block, std::size_t size)
{
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto begin = (std::uintptr_t(block) + page - 1) & ~(page - 1);
    const auto end = (std::uintptr_t(block) + size) & ~(page - 1);
    std::vector<unsigned char> pages((end - begin) / page);
    if (mincore(reinterpret_cast<void *>(begin), end - begin, pages.data()) != 0)
        return -1;
    long resident = 0;
    for (unsigned char flags : pages)
        resident += flags & 1;
    return resident;
}
#endif

} // namespace

void TestStartupHeap::blocksAreResidentBeforeTheyAreTouched()
{
#if !defined(__GLIBC__) || !defined(MADV_POPULATE_WRITE)
    QSKIP("the heap is prepared only with the GNU C library on Linux");
#elif defined(__SANITIZE_ADDRESS__)
    QSKIP("the address sanitizer brings its own heap");
#else
    // Before: a large block (a window's backing store) is a fresh mapping,
    // faulted in page by page as it is used.
    const std::size_t backingStore = std::size_t(800) << 10;
    void *fresh = std::malloc(backingStore);
    QVERIFY(fresh);
    const long before = residentPages(fresh, backingStore);
    std::free(fresh);
    if (before < 0)
        QSKIP("the system does not tell which pages are resident");
    QCOMPARE(before, 0L);

    StartupHeap::Prepare();

    std::size_t total = 0;
    std::vector<void *> blocks;
    // After: the backing store, a font table and the contacts' texts come
    // from pages already there.
    for (std::size_t size : {backingStore, std::size_t(64) << 10, std::size_t(512) << 10}) {
        void *block = std::malloc(size);
        QVERIFY(block);
        blocks.push_back(block);
        total += size;
        const long pages = long(size / std::size_t(sysconf(_SC_PAGESIZE)));
        // All whole pages inside the block, at most the one it shares at
        // each end aside.
        QVERIFY2(residentPages(block, size) >= pages - 2,
                 qPrintable(QStringLiteral("%1 of %2 pages resident")
                                .arg(residentPages(block, size))
                                .arg(pages)));
    }
    QVERIFY(total < StartupHeap::Size);
    for (void *block : blocks)
        std::free(block);
#endif
}

QTEST_APPLESS_MAIN(TestStartupHeap)
#include "tst_startupheap.moc"
