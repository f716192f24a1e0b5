#include "lenex/LnxNodePool.h"

#include "lenex/LnxNodeArena.h"

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
// the blocks are 2 MB, which the system can back each with one huge page: the first touch of new memory costs
// a page fault, and with 4 KB pages the faults of a large meet took about a third of its load time. Every
// block starts on a 2 MB boundary, so the block of a piece, and with it the document it belongs to, is found
// from the piece's address.
constexpr std::size_t kSmallBlockSize = 256 * 1024;
constexpr std::size_t kHugeBlockSize = 2 * 1024 * 1024;
constexpr std::size_t kBlockAlignment = kHugeBlockSize;
constexpr std::size_t kSmallBlocks = 16;
// When a document's last piece is given back, up to this much of the blocks is kept for the next document,
// whose load then finds the memory in place instead of faulting it in again; the rest goes back to the
// system.
constexpr std::size_t kKeptBytes = 32 * 1024 * 1024;

struct FreeChunk
{
    FreeChunk* next;
};

struct Arena;

struct Block
{
    Block* next;
    std::size_t size;
    Arena* arena;
};

// The blocks of one document (or of the nodes made outside any document scope) and its free pieces.
struct Arena
{
    FreeChunk* freeLists[kSizeClasses] = {};
    Block* blocks = nullptr;
    std::size_t blockCount = 0;
    char* bump = nullptr;
    char* bumpEnd = nullptr;
    std::size_t live = 0;
    bool sealed = false; // its scope ended: it goes when its last piece does
};

struct PoolState
{
    Arena shared; // nodes made outside any scope
    Block* spareBlocks = nullptr; // kept from closed documents, all free
    std::size_t spareBytes = 0;
    std::size_t live = 0;
    std::size_t blockBytes = 0;
};

constinit PoolState pool;
constinit std::atomic_flag busy = ATOMIC_FLAG_INIT;
constinit thread_local Arena* currentArena = nullptr;

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

Arena& arenaForNewPieces() { return currentArena ? *currentArena : pool.shared; }

Block* blockOf(void* piece)
{
    return reinterpret_cast<Block*>(reinterpret_cast<std::uintptr_t>(piece) & ~(kBlockAlignment - 1));
}

// A block of the given size from the system, on a 2 MB boundary: one alignment more is mapped and the ends
// around the aligned part are given back.
Block* mapBlock(std::size_t size)
{
    const std::size_t mapped = size + kBlockAlignment;
    void* memory = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    auto* start = static_cast<char*>(memory);
    const std::size_t address = reinterpret_cast<std::uintptr_t>(start);
    char* aligned = start + ((kBlockAlignment - address % kBlockAlignment) % kBlockAlignment);
    if (aligned > start)
        ::munmap(start, static_cast<std::size_t>(aligned - start));
    if (char* tail = aligned + size; tail < start + mapped)
        ::munmap(tail, static_cast<std::size_t>(start + mapped - tail));
    if (size == kHugeBlockSize)
        ::madvise(aligned, size, MADV_HUGEPAGE);
    auto* block = reinterpret_cast<Block*>(aligned);
    block->size = size;
    return block;
}

// Puts a piece on the free list of its size class; the caller holds the lock.
void pushFree(Arena& arena, void* memory, std::size_t index)
{
    auto* chunk = static_cast<FreeChunk*>(memory);
    chunk->next = arena.freeLists[index];
    arena.freeLists[index] = chunk;
}

// Every piece of the arena is free: its blocks are kept for the next document up to the bound, the rest go
// back to the system, and a sealed arena goes with them. The caller holds the lock.
void releaseArena(Arena& arena)
{
    for (Block* block = arena.blocks; block;) {
        Block* next = block->next;
        pool.blockBytes -= block->size;
        if (pool.spareBytes + block->size <= kKeptBytes) {
            block->next = pool.spareBlocks;
            pool.spareBlocks = block;
            pool.spareBytes += block->size;
        } else {
            ::munmap(block, block->size);
        }
        block = next;
    }
    if (arena.sealed) {
        delete &arena;
        return;
    }
    arena = Arena();
}

Block* takeBlock(const Arena& arena)
{
    const std::size_t size = arena.blockCount < kSmallBlocks ? kSmallBlockSize : kHugeBlockSize;
    // A kept block of the size wanted, else a new one.
    for (Block** link = &pool.spareBlocks; *link; link = &(*link)->next) {
        if ((*link)->size == size) {
            Block* block = *link;
            *link = block->next;
            pool.spareBytes -= block->size;
            return block;
        }
    }
    return mapBlock(size);
}

// A piece of the size class from the arena's free list, or else from its current block; the caller holds the
// lock.
void* takePiece(Arena& arena, std::size_t index)
{
    if (FreeChunk* chunk = arena.freeLists[index]) {
        arena.freeLists[index] = chunk->next;
        ++arena.live;
        ++pool.live;
        return chunk;
    }
    const std::size_t rounded = (index + 1) * kGranule;
    if (static_cast<std::size_t>(arena.bumpEnd - arena.bump) < rounded) {
        Block* block = takeBlock(arena);
        block->arena = &arena;
        block->next = arena.blocks;
        arena.blocks = block;
        ++arena.blockCount;
        pool.blockBytes += block->size;
        arena.bump = reinterpret_cast<char*>(block + 1);
        arena.bumpEnd = reinterpret_cast<char*>(block) + block->size;
    }
    void* memory = arena.bump;
    arena.bump += rounded;
    ++arena.live;
    ++pool.live;
    return memory;
}

// Gives a piece back to the arena of its block; the caller holds the lock.
void givePieceBack(void* memory, std::size_t index)
{
    Arena& arena = *blockOf(memory)->arena;
    pushFree(arena, memory, index);
    --pool.live;
    if (--arena.live == 0)
        releaseArena(arena);
}

} // namespace

void* TLnxNodePool::allocate(std::size_t size)
{
    const std::size_t index = sizeClass(size);
    if (!kPooled || index >= kSizeClasses)
        return ::operator new(size);
    Arena& arena = arenaForNewPieces();
    Lock lock;
    return takePiece(arena, index);
}

std::size_t TLnxNodePool::allocateMany(std::size_t size, void** pieces, std::size_t count)
{
    const std::size_t index = sizeClass(size);
    if (index >= kSizeClasses)
        throw std::invalid_argument("TLnxNodePool::allocateMany: pieces larger than 128 bytes");
    if (!kPooled) {
        for (std::size_t i = 0; i < count; ++i)
            pieces[i] = ::operator new(size);
        return count;
    }
    Arena& arena = arenaForNewPieces();
    Lock lock;
    std::size_t taken = 0;
    try {
        for (; taken < count; ++taken)
            pieces[taken] = takePiece(arena, index);
    } catch (...) {
        if (taken == 0)
            throw;
    }
    return taken;
}

void TLnxNodePool::release(void* memory, std::size_t size) noexcept
{
    const std::size_t index = sizeClass(size);
    if (!kPooled || index >= kSizeClasses) {
        ::operator delete(memory);
        return;
    }
    Lock lock;
    givePieceBack(memory, index);
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

TLnxNodePool::Statistics TLnxNodePool::statistics()
{
    Lock lock;
    return {pool.live, pool.blockBytes, pool.spareBytes};
}

void TLnxNodePool::ReleaseBatch::flush() noexcept
{
    std::size_t pooled = 0;
    for (std::size_t i = 0; i < FCount; ++i) {
        if (!kPooled || sizeClass(FPieces[i].size) >= kSizeClasses)
            ::operator delete(FPieces[i].memory);
        else
            FPieces[pooled++] = FPieces[i];
    }
    FCount = 0;
    if (pooled == 0)
        return;
    Lock lock;
    for (std::size_t i = 0; i < pooled; ++i)
        givePieceBack(FPieces[i].memory, sizeClass(FPieces[i].size));
}

TLnxNodeArena::TLnxNodeArena()
    : FArena(TLnxNodePool::kPooled ? new Arena : nullptr)
    , FPrevious(currentArena)
{
    if (FArena)
        currentArena = static_cast<Arena*>(FArena);
}

TLnxNodeArena::~TLnxNodeArena()
{
    if (!FArena)
        return;
    currentArena = static_cast<Arena*>(FPrevious);
    auto* arena = static_cast<Arena*>(FArena);
    Lock lock;
    arena->sealed = true;
    if (arena->live == 0)
        releaseArena(*arena);
}

} // namespace lanescope::lenex
