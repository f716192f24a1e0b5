#include "lenex/LnxNodePool.h"

#include <atomic>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <sys/mman.h>
#include <thread>

namespace lanescope::lenex {

namespace {

// Nodes need no more than pointer alignment; a granule of 8 bytes keeps a 56-byte node from taking 64.
constexpr std::size_t kGranule = alignof(void*);
constexpr std::size_t kSizeClasses = 128 / kGranule; // 8 to 128 bytes
// A document starts with small blocks, so that a small meet takes little memory. Past the first few megabytes
// the blocks are 2 MB, placed on 2 MB boundaries so that the system can back each with one huge page: the
// first touch of new memory costs a page fault, and with 4 KB pages the faults of a large meet took about a
// third of its load time.
constexpr std::size_t kSmallBlockSize = 256 * 1024;
constexpr std::size_t kHugeBlockSize = 2 * 1024 * 1024;
constexpr std::size_t kSmallBlocks = 16;
// When the last piece is given back (a document closed), up to this much of the blocks is kept for the next
// document, whose load then finds the memory in place instead of faulting it in again; the rest goes back
// to the system.
constexpr std::size_t kKeptBytes = 32 * 1024 * 1024;

struct FreeChunk
{
    FreeChunk* next;
};

struct Block
{
    Block* next;
    std::size_t size;
};

struct PoolState
{
    FreeChunk* freeLists[kSizeClasses] = {};
    Block* blocks = nullptr;
    std::size_t blockCount = 0;
    Block* spareBlocks = nullptr; // kept from a closed document, all free
    std::size_t spareBytes = 0;
    char* bump = nullptr;
    char* bumpEnd = nullptr;
    std::size_t live = 0;
};

constinit PoolState pool;
constinit std::atomic_flag busy = ATOMIC_FLAG_INIT;

// The pool is held for a few instructions at a time, so a waiting thread spins, yielding its time slice,
// rather than sleeping: that keeps taking and giving back the lock to one atomic exchange and one store.
class Lock
{
public:
    Lock()
    {
        while (busy.test_and_set(std::memory_order_acquire))
            std::this_thread::yield();
    }
    ~Lock() { busy.clear(std::memory_order_release); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
};

std::size_t sizeClass(std::size_t size) { return (size + kGranule - 1) / kGranule - 1; }

// A block of the given size from the system, aligned to its size when it is a huge one.
Block* mapBlock(std::size_t size)
{
    const bool huge = size == kHugeBlockSize;
    // Map one block more than needed and give back the ends around the aligned part.
    const std::size_t mapped = huge ? 2 * size : size;
    void* memory = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    auto* start = static_cast<char*>(memory);
    if (huge) {
        const std::size_t address = reinterpret_cast<std::uintptr_t>(start);
        char* aligned = start + ((size - address % size) % size);
        if (aligned > start)
            ::munmap(start, static_cast<std::size_t>(aligned - start));
        if (char* tail = aligned + size; tail < start + mapped)
            ::munmap(tail, static_cast<std::size_t>(start + mapped - tail));
        ::madvise(aligned, size, MADV_HUGEPAGE);
        start = aligned;
    }
    auto* block = reinterpret_cast<Block*>(start);
    block->size = size;
    return block;
}

// Puts a piece on the free list of its size class; the caller holds the lock.
void pushFree(void* memory, std::size_t index)
{
    auto* chunk = static_cast<FreeChunk*>(memory);
    chunk->next = pool.freeLists[index];
    pool.freeLists[index] = chunk;
}

void releaseBlocks()
{
    PoolState empty;
    empty.spareBlocks = pool.spareBlocks;
    empty.spareBytes = pool.spareBytes;
    for (Block* block = pool.blocks; block;) {
        Block* next = block->next;
        if (empty.spareBytes + block->size <= kKeptBytes) {
            block->next = empty.spareBlocks;
            empty.spareBlocks = block;
            empty.spareBytes += block->size;
        } else {
            ::munmap(block, block->size);
        }
        block = next;
    }
    pool = empty;
}

Block* takeBlock()
{
    if (Block* block = pool.spareBlocks) {
        pool.spareBlocks = block->next;
        pool.spareBytes -= block->size;
        return block;
    }
    return mapBlock(pool.blockCount < kSmallBlocks ? kSmallBlockSize : kHugeBlockSize);
}

// A piece of the size class from its free list, or else from the current block; the caller holds the lock.
void* takePiece(std::size_t index)
{
    if (FreeChunk* chunk = pool.freeLists[index]) {
        pool.freeLists[index] = chunk->next;
        ++pool.live;
        return chunk;
    }
    const std::size_t rounded = (index + 1) * kGranule;
    if (static_cast<std::size_t>(pool.bumpEnd - pool.bump) < rounded) {
        Block* block = takeBlock();
        block->next = pool.blocks;
        pool.blocks = block;
        ++pool.blockCount;
        pool.bump = reinterpret_cast<char*>(block + 1);
        pool.bumpEnd = reinterpret_cast<char*>(block) + block->size;
    }
    void* memory = pool.bump;
    pool.bump += rounded;
    ++pool.live;
    return memory;
}

} // namespace

void* TLnxNodePool::allocate(std::size_t size)
{
    const std::size_t index = sizeClass(size);
    if (index >= kSizeClasses)
        return ::operator new(size);
    Lock lock;
    return takePiece(index);
}

std::size_t TLnxNodePool::allocateMany(std::size_t size, void** pieces, std::size_t count)
{
    const std::size_t index = sizeClass(size);
    if (index >= kSizeClasses)
        throw std::invalid_argument("TLnxNodePool::allocateMany: pieces larger than 128 bytes");
    Lock lock;
    std::size_t taken = 0;
    try {
        for (; taken < count; ++taken)
            pieces[taken] = takePiece(index);
    } catch (...) {
        if (taken == 0)
            throw;
    }
    return taken;
}

void TLnxNodePool::release(void* memory, std::size_t size) noexcept
{
    const std::size_t index = sizeClass(size);
    if (index >= kSizeClasses) {
        ::operator delete(memory);
        return;
    }
    Lock lock;
    pushFree(memory, index);
    if (--pool.live == 0)
        releaseBlocks();
}

void TLnxNodePool::releaseKeptBlocks() noexcept
{
    Lock lock;
    while (Block* block = pool.spareBlocks) {
        pool.spareBlocks = block->next;
        ::munmap(block, block->size);
    }
    pool.spareBytes = 0;
}

void TLnxNodePool::ReleaseBatch::flush() noexcept
{
    std::size_t pooled = 0;
    for (std::size_t i = 0; i < FCount; ++i) {
        if (sizeClass(FPieces[i].size) >= kSizeClasses)
            ::operator delete(FPieces[i].memory);
        else
            FPieces[pooled++] = FPieces[i];
    }
    FCount = 0;
    if (pooled == 0)
        return;
    Lock lock;
    for (std::size_t i = 0; i < pooled; ++i)
        pushFree(FPieces[i].memory, sizeClass(FPieces[i].size));
    pool.live -= pooled;
    if (pool.live == 0)
        releaseBlocks();
}

} // namespace lanescope::lenex
