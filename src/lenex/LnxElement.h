#pragma once

#include "base/DateTime.h"
#include "lenex/LnxAttributeList.h"
#include "lenex/LnxNodePool.h"
#include "lenex/LnxSchema.h"
#include "lenex/LnxTime.h"

#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/** The Lenex node tree: objects, collections and data elements addressed by tag id. */
namespace lanescope::lenex {

class TLnxAbstractElement;
class TLnxAbstractObject;
class TLnxObject;
class TLnxCollection;
class TLnxDataElement;
struct TSwimStyle;

/** The owned, ordered children of a node; the list's memory comes from the node pool. */
using TLnxChildList = std::vector<std::unique_ptr<TLnxAbstractElement>,
                                  TLnxPoolAllocator<std::unique_ptr<TLnxAbstractElement>>>;

/** Which class a node is; decided when the node is made and never changed. */
enum class TLnxNodeClass : std::uint8_t
{
    Data,
    Object,
    Collection,
};

/** Error states of a node, shown by the browser to flag faulty nodes. */
enum TLnxErrorState : std::uint8_t
{
    esSound = 0,
    esInnerError = 2,
    esError = 3,
};

/**
 * Base of every node: tag, parent, XML attributes, source position and error state.
 *
 * Nodes carry no virtual table (a meet holds millions of them): the class byte tells the kinds apart, and
 * deleting a node through a pointer to any of its bases destroys it as the class it was made as.
 */
class TLnxAbstractElement
{
public:
    TLnxAbstractElement(const TLnxAbstractElement&) = delete;
    TLnxAbstractElement& operator=(const TLnxAbstractElement&) = delete;
    /**
     * Public because a delete-expression must be able to reach it, although it never runs it: deletion goes
     * through the destroying operator delete below, which runs the destructor of the node's own class. The
     * constructor stays protected, so no node of this class alone can exist.
     */
    ~TLnxAbstractElement() = default;

    static void* operator new(std::size_t size) { return TLnxNodePool::allocate(size); }
    /** Destroys the node as its own class and gives its memory back to the pool. */
    static void operator delete(TLnxAbstractElement* node, std::destroying_delete_t) noexcept;
    /** Frees the memory of a node whose constructor failed. */
    static void operator delete(void* memory, std::size_t size) noexcept
    {
        TLnxNodePool::release(memory, size);
    }

    /**
     * Deep copy of the node and its subtree. The copy keeps the original's parent pointer although no parent
     * owns it until it is added somewhere. Works without recursion, so any depth can be copied.
     */
    std::unique_ptr<TLnxAbstractElement> clone() const;

    TLnxTagId tag() const { return FTag; }
    std::string_view tagName() const { return lenex::tagName(FTag); }
    TLnxNodeClass nodeClass() const { return FClass; }
    bool isData() const { return FClass == TLnxNodeClass::Data; }
    bool isObjectNode() const { return FClass == TLnxNodeClass::Object; }
    bool isCollection() const { return FClass == TLnxNodeClass::Collection; }

    TLnxAbstractObject* parent() const { return FParent; }
    std::int32_t line() const { return FLine; }
    void setLine(std::int32_t line) { FLine = line; }
    std::uint8_t errorState() const { return FErrorState; }
    void setErrorState(std::uint8_t state) { FErrorState = state; }

    /** Value stored for the attribute, or empty. */
    const std::string& getAttribute(TLnxAttribute id) const;
    bool hasAttribute(TLnxAttribute id) const;
    /** Replaces the value where the id is present, else appends the pair at the end. */
    void setAttribute(TLnxAttribute id, std::string value);
    /**
     * Sets the attribute of an XML name: a name of the schema as setAttribute does, any other name kept as it
     * stands (exact case) beside the others, replacing only the value of the same name.
     */
    void setNamedAttribute(std::string_view name, std::string value);
    /** Value of the attribute with the XML name (schema names as getAttribute reads them), or empty. */
    const std::string& getNamedAttribute(std::string_view name) const;
    /** Removes the id and its value; the others keep their order. */
    void removeAttribute(TLnxAttribute id);
    /** Every attribute in order as name="value", separated by blanks; the id attribute left out on request.
     */
    std::string attributeText(bool withoutId = false) const;
    std::span<const TLnxAttributeValue> attributes() const
    {
        return {FAttributes.begin(), FAttributes.size()};
    }

    // The node as one of its classes, or nullptr when it is of another.
    TLnxObject* asObject();
    const TLnxObject* asObject() const;
    TLnxAbstractObject* asAbstractObject();
    const TLnxAbstractObject* asAbstractObject() const;
    TLnxCollection* asCollection();
    TLnxDataElement* asData();
    const TLnxDataElement* asData() const;

protected:
    TLnxAbstractElement(TLnxTagId tag, TLnxNodeClass nodeClass)
        : FTag(tag)
        , FClass(nodeClass)
    {
    }
    /** Copies the fields of this class (not the children) from another node. */
    void copyElementFields(const TLnxAbstractElement& source);

private:
    friend class TLnxAbstractObject;

    /** Runs the destructor of the node's own class and returns the size of that class. */
    static std::size_t destroyNode(TLnxAbstractElement* node) noexcept;

    TLnxAttributeList FAttributes;
    TLnxAbstractObject* FParent = nullptr;
    std::int32_t FLine = 0;
    TLnxTagId FTag;
    TLnxNodeClass FClass;
    std::uint8_t FErrorState = esSound;
};

/** A node with one text value and no children. */
class TLnxDataElement final : public TLnxAbstractElement
{
public:
    explicit TLnxDataElement(TLnxTagId tag, std::string value = {})
        : TLnxAbstractElement(tag, TLnxNodeClass::Data)
        , FValue(std::move(value))
    {
    }

    const std::string& value() const { return FValue; }
    /** The value for filling in place: the parser decodes text straight into it. */
    std::string& mutableValue() { return FValue; }
    void setValue(std::string value) { FValue = std::move(value); }
    /** True when the value is empty or exactly "0". */
    bool isEmpty() const { return FValue.empty() || FValue == "0"; }

private:
    friend class TLnxAbstractElement;
    std::string FValue;
};

using TLnxCompare = int (*)(const TLnxAbstractElement* a, const TLnxAbstractElement* b, void* context);

/** A node that owns an ordered list of children. Destroying it destroys the subtree, at any depth. */
class TLnxAbstractObject : public TLnxAbstractElement
{
public:
    ~TLnxAbstractObject();

    int childCount() const { return static_cast<int>(FChildren.size()); }
    TLnxAbstractElement* childAt(int index) const { return FChildren[static_cast<std::size_t>(index)].get(); }
    /** The child at index as an object or as a data element; nullptr when it is of another class. */
    TLnxObject* childAsObject(int index) const;
    TLnxDataElement* childAsData(int index) const;
    const TLnxChildList& children() const { return FChildren; }

    bool hasChild(TLnxTagId tag) const { return findChild(tag) != nullptr; }
    /** First child with the tag in list order, or nullptr. */
    TLnxAbstractElement* findChild(TLnxTagId tag) const;
    TLnxObject* findObject(TLnxTagId tag) const;
    TLnxCollection* findCollection(TLnxTagId tag) const;
    /**
     * First child with the tag; where there is none and create is set, a new empty data element with the
     * tag is appended and returned.
     */
    TLnxAbstractElement* findOrCreateChild(TLnxTagId tag, bool create);
    /** First child whose attribute equals the value exactly (case-sensitive), or nullptr. */
    TLnxAbstractElement* findChildByAttribute(TLnxAttribute id, std::string_view value) const;

    /** Appends the child, makes this node its parent and returns it. */
    TLnxAbstractElement* addChild(std::unique_ptr<TLnxAbstractElement> child);
    /** Appends every child of the range in order (moving them out of it) and makes this node their parent. */
    void addChildren(std::unique_ptr<TLnxAbstractElement>* first, std::unique_ptr<TLnxAbstractElement>* last);
    template <class T> T* add(std::unique_ptr<T> child)
    {
        return static_cast<T*>(addChild(std::move(child)));
    }
    /** Appends a new object with the tag (id 0) and returns it. */
    TLnxObject* addObject(TLnxTagId tag);
    /** Appends a new collection with the tag and returns it. */
    TLnxCollection* addCollection(TLnxTagId tag);
    /** Finds the first object with the tag or appends a new one. */
    TLnxObject* findOrAddObject(TLnxTagId tag);
    /** Finds the first collection with the tag or appends a new one. */
    TLnxCollection* findOrAddCollection(TLnxTagId tag);

    /** Removes and destroys the child at index. */
    void removeChildAt(int index);
    /** Removes and destroys the child if it is one of this node's children. */
    void removeChild(const TLnxAbstractElement* child);
    /** Removes and destroys the first child with the tag, if any. */
    void removeChildByTag(TLnxTagId tag);
    /** Takes the child out of the list without destroying it; nullptr when it is not a child. */
    std::unique_ptr<TLnxAbstractElement> detachChild(const TLnxAbstractElement* child);

    /** Sorts the children with a three-way compare; children that compare equal may change order. */
    void sortChildren(TLnxCompare compare, void* context);
    /**
     * Removes every data element whose value is empty or "0", through all object descendants; object nodes
     * stay even when they become empty. Works without recursion.
     */
    void pruneEmptyData();

    // Typed access to data children, on the first child with the tag.
    /** Value of the first child with the tag; empty when there is none. Never creates a child. */
    const std::string& getText(TLnxTagId tag) const;
    void setText(TLnxTagId tag, std::string text);
    /** Decimal value of the first child with the tag; 0 when missing or not an integer. Never creates. */
    std::int32_t getInteger(TLnxTagId tag) const;
    void setInteger(TLnxTagId tag, std::int32_t value);
    // The float, date, time-of-day and lenextime reads create an empty child where none exists.
    /** Integer value divided by 100 (a fee of "1250" is 12.5). */
    double getFloat(TLnxTagId tag);
    /** "yyyymmdd"; text that is no valid date reads as 0. */
    base::TDateTime getDate(TLnxTagId tag);
    /** Writes "yyyymmdd"; a date of 0 clears the text. */
    void setDate(TLnxTagId tag, base::TDateTime date);
    /** "hhnn"; text that is no valid time reads as 0. */
    base::TDateTime getTimeOfDay(TLnxTagId tag);
    /** Writes "hhnn"; a time of 0 clears the text. */
    void setTimeOfDay(TLnxTagId tag, base::TDateTime time);
    TSwimTime getLenexTime(TLnxTagId tag, int expectedKind);
    void setLenexTime(TLnxTagId tag, int kind, TSwimTime time);
    /** Kind of the lenextime value of the first child with the tag (1 "I", 2 "L", 3 "V", else 0). */
    int getTimeKind(TLnxTagId tag) const;
    /** True when the child is missing, or its value is empty or "0". */
    bool isEmpty(TLnxTagId tag) const;

    // Pool of a COMPETITION or PERIOD, from its PL and PM.
    int poolIndex() const;
    int courseNumber() const;
    void setPoolIndex(int poolIndex);

protected:
    TLnxAbstractObject(TLnxTagId tag, TLnxNodeClass nodeClass)
        : TLnxAbstractElement(tag, nodeClass)
    {
    }

private:
    friend class TLnxAbstractElement;
    TLnxDataElement* dataChild(TLnxTagId tag);

    TLnxChildList FChildren;
};

/** Flag bits on objects, set by the document's index build. */
enum TLnxObjectFlag : std::uint8_t
{
    lofHasEntries = 1,
    lofHasResults = 2,
    lofIndividualEntries = 4,
    lofRelayEntries = 8,
    lofIndividualResults = 16,
    lofRelayResults = 32,
};

/** An object element (tag ids 0 to 21) with its numeric id and summary flags. */
class TLnxObject final : public TLnxAbstractObject
{
public:
    explicit TLnxObject(TLnxTagId tag, std::int32_t id = 0)
        : TLnxAbstractObject(tag, TLnxNodeClass::Object)
        , FId(id)
    {
    }

    /** Numeric id; 0 means none. Kept in step with the "id" attribute by the parser and the writer. */
    std::int32_t id() const { return FId; }
    void setId(std::int32_t id) { FId = id; }
    std::uint8_t flags() const { return FFlags; }
    void setFlags(std::uint8_t flags) { FFlags = flags; }

    /** Swim style of an EVENT from its DISCNT, DIS and STR. */
    TSwimStyle readSwimStyle() const;
    /**
     * Writes DIS, STR, for a special style the STR id attribute and NAME, for relays DISCNT, and SEX for
     * sex index 0 or 1. A distance index outside the list or a stroke index below 0 throws
     * std::out_of_range (a stroke error after DIS was written), which converters catch in their error guard.
     */
    void writeSwimStyle(const TSwimStyle& style, int sexIndex);

private:
    friend class TLnxAbstractElement;
    std::int32_t FId;
    std::uint8_t FFlags = 0;
};

/** A collection element (tag ids 23 to 37) that holds items of one tag. */
class TLnxCollection final : public TLnxAbstractObject
{
public:
    explicit TLnxCollection(TLnxTagId tag)
        : TLnxAbstractObject(tag, TLnxNodeClass::Collection)
        , FItemTag(itemTagOf(tag))
    {
    }

    TLnxTagId itemTag() const { return FItemTag; }
    TLnxObject* itemAt(int index) const { return childAsObject(index); }
    /** Appends a new item object (id 0) and returns it. */
    TLnxObject* newItem();
    /** Appends a new empty data item (a SPLIT in SPLITS) and returns it. */
    TLnxDataElement* newDataItem();

private:
    friend class TLnxAbstractElement;
    TLnxTagId FItemTag;
};

// The casts are inline: the parser, the index and the lists ask for them for nearly every node they touch.

inline TLnxObject* TLnxAbstractElement::asObject()
{
    return FClass == TLnxNodeClass::Object ? static_cast<TLnxObject*>(this) : nullptr;
}

inline const TLnxObject* TLnxAbstractElement::asObject() const
{
    return FClass == TLnxNodeClass::Object ? static_cast<const TLnxObject*>(this) : nullptr;
}

inline TLnxAbstractObject* TLnxAbstractElement::asAbstractObject()
{
    return FClass != TLnxNodeClass::Data ? static_cast<TLnxAbstractObject*>(this) : nullptr;
}

inline const TLnxAbstractObject* TLnxAbstractElement::asAbstractObject() const
{
    return FClass != TLnxNodeClass::Data ? static_cast<const TLnxAbstractObject*>(this) : nullptr;
}

inline TLnxCollection* TLnxAbstractElement::asCollection()
{
    return FClass == TLnxNodeClass::Collection ? static_cast<TLnxCollection*>(this) : nullptr;
}

inline TLnxDataElement* TLnxAbstractElement::asData()
{
    return FClass == TLnxNodeClass::Data ? static_cast<TLnxDataElement*>(this) : nullptr;
}

inline const TLnxDataElement* TLnxAbstractElement::asData() const
{
    return FClass == TLnxNodeClass::Data ? static_cast<const TLnxDataElement*>(this) : nullptr;
}

/** A new node of the class the tag calls for: object, collection or data element. */
std::unique_ptr<TLnxAbstractElement> createNodeForTag(TLnxTagId tag);

/** The size of a node of any class: data, object and collection nodes take the same room. */
inline constexpr std::size_t kLnxNodeSize = sizeof(TLnxDataElement);
static_assert(sizeof(TLnxObject) == kLnxNodeSize && sizeof(TLnxCollection) == kLnxNodeSize);
/**
 * The same, made in memory of kLnxNodeSize bytes taken from the node pool (TLnxNodePool::allocateMany), for
 * a caller that makes many nodes in a row. The node owns that memory from then on.
 */
std::unique_ptr<TLnxAbstractElement> createNodeForTag(TLnxTagId tag, void* memory);

} // namespace lanescope::lenex
