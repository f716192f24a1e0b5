#pragma once

#include "lenex/LnxSchema.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace lanescope::lenex {

/** One XML attribute of a node. An attribute the schema does not know keeps its own name. */
struct TLnxAttributeValue
{
    TLnxAttribute id;
    std::string value;
    std::unique_ptr<std::string> unknownName; // only for lxaUnknown: the name as it stood

    /** The name the attribute is written with. */
    std::string_view writtenName() const
    {
        if (id != lxaUnknown)
            return attributeName(id);
        return unknownName ? std::string_view(*unknownName) : std::string_view();
    }
};

/**
 * The XML attributes of a node, in the order they were first set. A meet has millions of nodes and most have
 * no attributes, so an empty list is a single null pointer; the attributes live in one block (count, room,
 * entries) taken from the node pool, whose room doubles when it is full.
 */
class TLnxAttributeList
{
public:
    TLnxAttributeList() = default;
    TLnxAttributeList(const TLnxAttributeList& other);
    TLnxAttributeList& operator=(const TLnxAttributeList& other);
    ~TLnxAttributeList();

    std::size_t size() const { return FBlock ? FBlock->size : 0; }
    bool empty() const { return size() == 0; }
    TLnxAttributeValue* begin() const { return FBlock ? entries(FBlock) : nullptr; }
    TLnxAttributeValue* end() const { return begin() + size(); }

    /** Appends an attribute and returns it. */
    TLnxAttributeValue& append(TLnxAttribute id, std::string value, std::unique_ptr<std::string> unknownName);
    /** Removes every attribute with the id; the others keep their order. */
    void remove(TLnxAttribute id);

private:
    struct Block
    {
        std::uint32_t size;
        std::uint32_t capacity;
    };
    static_assert(sizeof(Block) % alignof(TLnxAttributeValue) == 0);

    static TLnxAttributeValue* entries(Block* block)
    {
        return reinterpret_cast<TLnxAttributeValue*>(block + 1);
    }
    static std::size_t bytes(std::uint32_t capacity);
    static Block* allocate(std::uint32_t capacity);
    static void destroy(Block* block) noexcept;

    Block* FBlock = nullptr;
};

} // namespace lanescope::lenex
