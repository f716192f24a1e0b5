#include "lenex/LnxNodePool.h"

#include "lenex/LnxElement.h"
#include "lenex/LnxNodeArena.h"
#include "lenex/LnxParser.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace lanescope::lenex {
namespace {

// Every size up to and beyond the largest size class: distinct pieces, aligned for pointers, each writable
// over its whole size without touching another (the sanitizer build checks the bounds).
TEST(LnxNodePool, PiecesAreAlignedDistinctAndWholeForEverySize)
{
    std::vector<std::pair<void*, std::size_t>> pieces;
    for (std::size_t size = 1; size <= 200; ++size)
        for (int copy = 0; copy < 3; ++copy)
            pieces.emplace_back(TLnxNodePool::allocate(size), size);
    std::set<void*> distinct;
    for (auto [memory, size] : pieces) {
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(memory) % alignof(void*), 0u) << size;
        distinct.insert(memory);
        std::memset(memory, static_cast<int>(size), size);
    }
    EXPECT_EQ(distinct.size(), pieces.size());
    for (auto [memory, size] : pieces) {
        const auto* bytes = static_cast<const unsigned char*>(memory);
        const auto filler = static_cast<unsigned char>(size & 0xFF);
        EXPECT_TRUE(std::all_of(bytes, bytes + size, [filler](unsigned char b) { return b == filler; })) << size;
        TLnxNodePool::release(memory, size);
    }
}

TEST(LnxNodePool, AllocateManyTakesTheCountAndRefusesLargePieces)
{
    void* pieces[64];
    ASSERT_EQ(TLnxNodePool::allocateMany(kLnxNodeSize, pieces, 64), 64u);
    EXPECT_EQ(std::set<void*>(std::begin(pieces), std::end(pieces)).size(), 64u);
    {
        TLnxNodePool::ReleaseBatch batch;
        for (void* piece : pieces)
            batch.add(piece, kLnxNodeSize);
    }
    EXPECT_THROW(TLnxNodePool::allocateMany(129, pieces, 1), std::invalid_argument);
}

// A freed piece serves the next request of its size class, and when the last piece is given back the blocks
// go back to the system but for those kept for the next document, which releaseKeptBlocks gives back too.
TEST(LnxNodePool, ReusesFreedPiecesAndGivesBlocksBack)
{
    if (!TLnxNodePool::kPooled)
        GTEST_SKIP() << "the sanitizer build takes every piece from operator new";
    TLnxNodePool::releaseKeptBlocks();
    const TLnxNodePool::Statistics start = TLnxNodePool::statistics();
    ASSERT_EQ(start.livePieces, 0u);

    void* first = TLnxNodePool::allocate(40);
    void* keep = TLnxNodePool::allocate(40);
    TLnxNodePool::release(first, 40);
    EXPECT_EQ(TLnxNodePool::allocate(33), first); // 33 to 40 bytes share a size class
    TLnxNodePool::release(first, 33);

    // About 40 MB of nodes: more than the pool keeps after a close.
    std::vector<void*> many(700'000);
    for (void*& piece : many)
        piece = TLnxNodePool::allocate(kLnxNodeSize);
    EXPECT_GT(TLnxNodePool::statistics().blockBytes, 32u << 20);
    for (void* piece : many)
        TLnxNodePool::release(piece, kLnxNodeSize);
    EXPECT_EQ(TLnxNodePool::statistics().livePieces, 1u);
    TLnxNodePool::release(keep, 40);

    const TLnxNodePool::Statistics closed = TLnxNodePool::statistics();
    EXPECT_EQ(closed.livePieces, 0u);
    EXPECT_EQ(closed.blockBytes, 0u);
    EXPECT_GT(closed.keptBytes, 0u);
    EXPECT_LE(closed.keptBytes, 32u << 20);
    TLnxNodePool::releaseKeptBlocks();
    EXPECT_EQ(TLnxNodePool::statistics().keptBytes, 0u);
}

// A document's nodes made inside an arena live in blocks of their own: when the last of them goes, after the
// scope ended, those blocks go back although a piece of another document stays alive; pieces freed while
// the scope lasts are reused by it.
TEST(LnxNodePool, ArenaBlocksGoBackWithTheirLastPieceWhileOthersLive)
{
    if (!TLnxNodePool::kPooled)
        GTEST_SKIP() << "the sanitizer build takes every piece from operator new";
    TLnxNodePool::releaseKeptBlocks();
    void* otherDocument = TLnxNodePool::allocate(kLnxNodeSize);
    const std::size_t sharedBytes = TLnxNodePool::statistics().blockBytes;

    std::vector<void*> pieces(700'000);
    {
        const TLnxNodeArena arena;
        for (void*& piece : pieces)
            piece = TLnxNodePool::allocate(kLnxNodeSize);
        void* freed = pieces.back();
        TLnxNodePool::release(freed, kLnxNodeSize);
        EXPECT_EQ(TLnxNodePool::allocate(kLnxNodeSize), freed);
        {
            const TLnxNodeArena inner; // a scope inside another has its own blocks too
            void* nested = TLnxNodePool::allocate(kLnxNodeSize);
            EXPECT_NE(reinterpret_cast<std::uintptr_t>(nested) >> 21,
                      reinterpret_cast<std::uintptr_t>(pieces.front()) >> 21);
            TLnxNodePool::release(nested, kLnxNodeSize);
        }
    }
    EXPECT_GT(TLnxNodePool::statistics().blockBytes, sharedBytes + (32u << 20));
    {
        TLnxNodePool::ReleaseBatch batch;
        for (void* piece : pieces)
            batch.add(piece, kLnxNodeSize);
    }
    const TLnxNodePool::Statistics closed = TLnxNodePool::statistics();
    EXPECT_EQ(closed.blockBytes, sharedBytes);
    EXPECT_LE(closed.keptBytes, 32u << 20);
    EXPECT_EQ(closed.livePieces, 1u);
    TLnxNodePool::release(otherDocument, kLnxNodeSize);
    TLnxNodePool::releaseKeptBlocks();
}

TEST(LnxNodePool, ThreadsShareThePoolWithoutLosingPieces)
{
    const std::size_t before = TLnxNodePool::statistics().livePieces;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            std::deque<std::pair<void*, std::size_t>> pieces;
            for (int i = 0; i < 20'000; ++i) {
                const std::size_t size = 8 + static_cast<std::size_t>((i + t) % 16) * 8;
                pieces.emplace_back(TLnxNodePool::allocate(size), size);
                std::memset(pieces.back().first, t, size);
                if (i % 3 == 0) {
                    TLnxNodePool::release(pieces.front().first, pieces.front().second);
                    pieces.pop_front();
                }
            }
            for (auto [memory, size] : pieces)
                TLnxNodePool::release(memory, size);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(TLnxNodePool::statistics().livePieces, before);
}

// In the sanitizer build a node is a heap object the sanitizer watches: reading one after it was destroyed
// is reported, for a node made alone as for one the parser made.
TEST(LnxNodePoolDeathTest, UseAfterFreeOfANodeIsReported)
{
    if (TLnxNodePool::kPooled)
        GTEST_SKIP() << "only the AddressSanitizer build watches node memory";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            auto node = std::make_unique<TLnxObject>(tag::CLUB, 5);
            const TLnxObject* stale = node.get();
            node.reset();
            std::printf("%d\n", stale->id());
        },
        "heap-use-after-free");
    EXPECT_DEATH(
        {
            TLnxMessageList messages;
            auto root = TLnxParser(messages).parseText("<LENEX><CLUBS><CLUB id=\"7\"/></CLUBS></LENEX>");
            const TLnxObject* club = root->findCollection(tag::CLUBS)->itemAt(0);
            root.reset();
            std::printf("%d\n", club->id());
        },
        "heap-use-after-free");
}

} // namespace
} // namespace lanescope::lenex
