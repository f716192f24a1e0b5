#pragma once

#include <cstddef>

namespace lanescope::lenex {

/**
 * Memory for tree nodes and their attribute blocks, aligned for pointers. A meet holds millions of small nodes
 * that are made and freed together; taking them from large blocks with one free list per size makes both far
 * cheaper than the general heap. When the last node is freed (a document closed), the blocks go back to the
 * heap. Safe to use from any thread.
 */
class TLnxNodePool
{
public:
    static void* allocate(std::size_t size);
    static void release(void* memory, std::size_t size) noexcept;
};

} // namespace lanescope::lenex
