// A ceiling on single allocations: the test program's own global operator new and delete.
#include "support/allocation_limit.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> limit{0};
std::atomic<int> refusals{0};
std::atomic<std::size_t> largest{0};

void* allocate(std::size_t size)
{
    const std::size_t ceiling = limit.load();
    if (ceiling != 0 && size > ceiling) {
        ++refusals;
        std::size_t seen = largest.load();
        while (size > seen && !largest.compare_exchange_weak(seen, size)) {
        }
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(std::max<std::size_t>(size, 1)))
        return memory;
    throw std::bad_alloc();
}

} // namespace

// malloc and free on both sides, so that a sanitizer sees matching pairs.
void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& nothrow) noexcept
{
    return operator new(size, nothrow);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace kubrix::test {

AllocationLimit::AllocationLimit(std::size_t ceiling)
{
    refusals = 0;
    largest = 0;
    limit = ceiling;
}

AllocationLimit::~AllocationLimit()
{
    limit = 0;
}

int AllocationLimit::refused() const
{
    return refusals.load();
}

std::size_t AllocationLimit::largestRefused() const
{
    return largest.load();
}

} // namespace kubrix::test
