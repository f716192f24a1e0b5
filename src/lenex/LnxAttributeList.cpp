#include "lenex/LnxAttributeList.h"

#include "lenex/LnxNodePool.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace lanescope::lenex {

std::size_t TLnxAttributeList::bytes(std::uint32_t capacity)
{
    return sizeof(Block) + std::size_t{capacity} * sizeof(TLnxAttributeValue);
}

TLnxAttributeList::Block* TLnxAttributeList::allocate(std::uint32_t capacity)
{
    auto* block = static_cast<Block*>(TLnxNodePool::allocate(bytes(capacity)));
    block->size = 0;
    block->capacity = capacity;
    return block;
}

void TLnxAttributeList::destroy(Block* block) noexcept
{
    if (!block)
        return;
    std::destroy_n(entries(block), block->size);
    TLnxNodePool::release(block, bytes(block->capacity));
}

TLnxAttributeList::TLnxAttributeList(const TLnxAttributeList& other)
{
    if (other.empty())
        return;
    Block* block = allocate(static_cast<std::uint32_t>(other.size()));
    try {
        for (const TLnxAttributeValue& attribute : other) {
            new (entries(block) + block->size) TLnxAttributeValue{
                attribute.id, attribute.value,
                attribute.unknownName ? std::make_unique<std::string>(*attribute.unknownName) : nullptr};
            ++block->size;
        }
    } catch (...) {
        destroy(block);
        throw;
    }
    FBlock = block;
}

TLnxAttributeList& TLnxAttributeList::operator=(const TLnxAttributeList& other)
{
    if (this != &other) {
        TLnxAttributeList copy(other);
        std::swap(FBlock, copy.FBlock);
    }
    return *this;
}

TLnxAttributeList::~TLnxAttributeList() { destroy(FBlock); }

TLnxAttributeValue& TLnxAttributeList::append(TLnxAttribute id, std::string value,
                                              std::unique_ptr<std::string> unknownName)
{
    if (!FBlock) {
        FBlock = allocate(1);
    } else if (FBlock->size == FBlock->capacity) {
        if (FBlock->capacity > std::numeric_limits<std::uint32_t>::max() / 2)
            throw std::length_error("too many attributes on one node");
        Block* grown = allocate(FBlock->capacity * 2);
        // Moving a std::string and a unique_ptr cannot throw.
        std::uninitialized_move_n(entries(FBlock), FBlock->size, entries(grown));
        grown->size = FBlock->size;
        destroy(FBlock);
        FBlock = grown;
    }
    TLnxAttributeValue* slot = entries(FBlock) + FBlock->size;
    new (slot) TLnxAttributeValue{id, std::move(value), std::move(unknownName)};
    ++FBlock->size;
    return *slot;
}

void TLnxAttributeList::remove(TLnxAttribute id)
{
    if (!FBlock)
        return;
    TLnxAttributeValue* first = entries(FBlock);
    TLnxAttributeValue* kept =
        std::remove_if(first, first + FBlock->size, [id](const TLnxAttributeValue& a) { return a.id == id; });
    const auto left = static_cast<std::uint32_t>(kept - first);
    std::destroy(kept, first + FBlock->size);
    FBlock->size = left;
}

} // namespace lanescope::lenex
