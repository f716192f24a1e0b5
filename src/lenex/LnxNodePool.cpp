#include "lenex/LnxNodePool.h"

#include <atomic>
#include <new>

namespace lanescope::lenex {

namespace {

// Nodes need no more than pointer alignment; a granule of 8 bytes keeps a 56-byte node from taking 64.
constexpr std::size_t kGranule = alignof(void*);
constexpr std::size_t kSizeClasses = 128 / kGranule; // 8 to 128 bytes
constexpr std::size_t kBlockSize = 256 * 1024;

struct FreeChunk
{
    FreeChunk* next;
};

struct Block
{
    Block* next;
};

struct PoolState
{
    FreeChunk* freeLists[kSizeClasses] = {};
    Block* blocks = nullptr;
    char* bump = nullptr;
    char* bumpEnd = nullptr;
    std::size_t live = 0;
};

constinit PoolState pool;
constinit std::atomic_flag busy = ATOMIC_FLAG_INIT;

class Lock
{
public:
    Lock()
    {
        while (busy.test_and_set(std::memory_order_acquire))
            busy.wait(true, std::memory_order_relaxed);
    }
    ~Lock()
    {
        busy.clear(std::memory_order_release);
        busy.notify_one();
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
};

std::size_t sizeClass(std::size_t size) { return (size + kGranule - 1) / kGranule - 1; }

void releaseBlocks()
{
    for (Block* block = pool.blocks; block;) {
        Block* next = block->next;
        ::operator delete(block);
        block = next;
    }
    pool = PoolState{};
}

} // namespace

void* TLnxNodePool::allocate(std::size_t size)
{
    const std::size_t index = sizeClass(size);
    if (index >= kSizeClasses)
        return ::operator new(size);
    Lock lock;
    ++pool.live;
    if (FreeChunk* chunk = pool.freeLists[index]) {
        pool.freeLists[index] = chunk->next;
        return chunk;
    }
    const std::size_t rounded = (index + 1) * kGranule;
    if (static_cast<std::size_t>(pool.bumpEnd - pool.bump) < rounded) {
        Block* block;
        try {
            block = static_cast<Block*>(::operator new(kBlockSize));
        } catch (...) {
            --pool.live;
            throw;
        }
        block->next = pool.blocks;
        pool.blocks = block;
        pool.bump = reinterpret_cast<char*>(block) + kGranule;
        pool.bumpEnd = reinterpret_cast<char*>(block) + kBlockSize;
    }
    void* memory = pool.bump;
    pool.bump += rounded;
    return memory;
}

void TLnxNodePool::release(void* memory, std::size_t size) noexcept
{
    const std::size_t index = sizeClass(size);
    if (index >= kSizeClasses) {
        ::operator delete(memory);
        return;
    }
    Lock lock;
    auto* chunk = static_cast<FreeChunk*>(memory);
    chunk->next = pool.freeLists[index];
    pool.freeLists[index] = chunk;
    if (--pool.live == 0)
        releaseBlocks();
}

} // namespace lanescope::lenex
