#pragma once

#include <cstddef>

namespace lanescope::lenex {

/**
 * Memory for tree nodes, their attribute blocks and child lists, aligned for pointers. A meet holds millions
 * of small nodes that are made and freed together; taking them from large blocks with one free list per size
 * makes both far cheaper than the general heap. When the last piece is freed (a document closed), the blocks
 * go back to the system, except up to 32 MB kept for the next document. Safe to use from any thread.
 */
class TLnxNodePool
{
public:
    static void* allocate(std::size_t size);
    static void release(void* memory, std::size_t size) noexcept;
    /**
     * Takes count pieces of the size (at most 128 bytes) under one lock, for a caller that makes many nodes
     * in a row. Returns how many it took: fewer only when memory ran out after the first (none: throws).
     */
    static std::size_t allocateMany(std::size_t size, void** pieces, std::size_t count);
    /** Gives the blocks kept for the next document back to the system. */
    static void releaseKeptBlocks() noexcept;

    /** Gathers memory to give back and gives it back many pieces at a time, taking the pool's lock once. */
    class ReleaseBatch
    {
    public:
        ReleaseBatch() = default;
        ~ReleaseBatch() { flush(); }
        ReleaseBatch(const ReleaseBatch&) = delete;
        ReleaseBatch& operator=(const ReleaseBatch&) = delete;

        void add(void* memory, std::size_t size) noexcept
        {
            if (FCount == kCapacity)
                flush();
            FPieces[FCount++] = {memory, size};
        }
        void flush() noexcept;

    private:
        static constexpr std::size_t kCapacity = 256;
        struct Piece
        {
            void* memory;
            std::size_t size;
        };
        Piece FPieces[kCapacity];
        std::size_t FCount = 0;
    };
};

/** Standard allocator over the node pool, for the child lists of nodes. */
template <class T> struct TLnxPoolAllocator
{
    using value_type = T;

    TLnxPoolAllocator() = default;
    template <class U> TLnxPoolAllocator(const TLnxPoolAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) { return static_cast<T*>(TLnxNodePool::allocate(count * sizeof(T))); }
    void deallocate(T* memory, std::size_t count) noexcept
    {
        TLnxNodePool::release(memory, count * sizeof(T));
    }

    template <class U> bool operator==(const TLnxPoolAllocator<U>&) const noexcept { return true; }
};

} // namespace lanescope::lenex
