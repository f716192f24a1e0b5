#pragma once

#include <cstddef>

// Whether this build runs under AddressSanitizer (GCC defines the macro, clang answers __has_feature).
#if defined(__SANITIZE_ADDRESS__)
#define LANESCOPE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LANESCOPE_ADDRESS_SANITIZER 1
#endif
#endif

namespace lanescope::lenex {

/**
 * Memory for tree nodes, their attribute blocks and child lists, aligned for pointers. A meet holds millions
 * of small nodes that are made and freed together; taking them from large blocks with one free list per size
 * makes both far cheaper than the general heap. A document loaded inside a TLnxNodeArena has blocks of its
 * own: when its last piece is freed (the document closed), they go back to the system, except up to 32 MB
 * kept for the next document, whatever other documents stay open. Safe to use from any thread.
 *
 * Under AddressSanitizer every piece comes from operator new instead: the sanitizer then sees each node as a
 * heap object of its own and reports a use after free or a read past its end, which pooled memory would hide.
 */
class TLnxNodePool
{
public:
#ifdef LANESCOPE_ADDRESS_SANITIZER
    static constexpr bool kPooled = false;
#else
    static constexpr bool kPooled = true;
#endif

    /** What the pool holds at a moment. */
    struct Statistics
    {
        std::size_t livePieces = 0; // pieces handed out and not given back
        std::size_t blockBytes = 0; // blocks in use, taken from the system
        std::size_t keptBytes = 0;  // free blocks kept for the next document
    };
    static Statistics statistics();

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
