#include "startupheap.h"

#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace StartupHeap {

void Prepare()
{
#if defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)
    // Blocks of any size this program asks for come from the one heap, and
    // the heap is not given back while the program runs: a large block (a
    // window's backing store) would otherwise be a fresh mapping, faulted in
    // page by page, and the prepared pages returned to the system unused.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);

    void *block = std::malloc(Size);
    if (!block)
        return;
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto begin = (std::uintptr_t(block) + page - 1) & ~(page - 1);
    const auto end = (std::uintptr_t(block) + Size) & ~(page - 1);
    // Fails harmlessly on systems older than Linux 5.14: the pages are then
    // faulted in as they are used, as before.
    madvise(reinterpret_cast<void *>(begin), end - begin, MADV_POPULATE_WRITE);
    // Freed, the block stays at the heap's top, where the next allocations
    // are carved from.
    std::free(block);
#endif
}

} // namespace StartupHeap
