// Allocation for brindlewocket-cli. The command holds every section text in memory, all of it
// fresh memory; touching fresh memory 4 KB page by page costs more than composing the text,
// so large blocks are aligned to 2 MB and marked for transparent huge pages, which cuts the
// page faults by a factor of 512. Small blocks go to malloc as usual.

#include "text/files.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

void* Allocate(std::size_t size) {
    if (size >= kHugePage / 2) {
        const std::size_t rounded = (size + kHugePage - 1) & ~(kHugePage - 1);
        if (void* p = std::aligned_alloc(kHugePage, rounded)) {
            bw::PreferHugePages(p, rounded);
            return p;
        }
    } else if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

} // namespace

// Both kinds of block are released by free().
void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
