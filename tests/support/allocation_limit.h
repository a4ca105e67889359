// A ceiling on single allocations, to show that a reader never sizes its storage from a claim.
#pragma once

#include <cstddef>

namespace kubrix::test {

// While one lives, any single allocation above the limit fails with std::bad_alloc (as it
// would on a machine without that much memory) and is counted. Needs allocation_limit.cpp in
// the test program, which replaces the global operator new and delete.
class AllocationLimit {
public:
    explicit AllocationLimit(std::size_t limit);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

    // How many allocations were refused so far, and the largest of them.
    int refused() const;
    std::size_t largestRefused() const;
};

} // namespace kubrix::test
