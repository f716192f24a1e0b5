#include "lenex/LnxElement.h"

#include "base/Strings.h"
#include "lenex/LnxSwimStyle.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace lanescope::lenex {

namespace {

const std::string kEmptyText;

// A node of the same class and tag with the fields of the source, without children.
std::unique_ptr<TLnxAbstractElement> shallowCopy(const TLnxAbstractElement& source);

} // namespace

// ---- TLnxAbstractElement

std::size_t TLnxAbstractElement::destroyNode(TLnxAbstractElement* node) noexcept
{
    switch (node->FClass) {
    case TLnxNodeClass::Data:
        static_cast<TLnxDataElement*>(node)->~TLnxDataElement();
        return sizeof(TLnxDataElement);
    case TLnxNodeClass::Object:
        static_cast<TLnxObject*>(node)->~TLnxObject();
        return sizeof(TLnxObject);
    case TLnxNodeClass::Collection:
        static_cast<TLnxCollection*>(node)->~TLnxCollection();
        return sizeof(TLnxCollection);
    }
    return 0;
}

void TLnxAbstractElement::operator delete(TLnxAbstractElement* node, std::destroying_delete_t) noexcept
{
    TLnxNodePool::release(node, destroyNode(node));
}

void TLnxAbstractElement::copyElementFields(const TLnxAbstractElement& source)
{
    FAttributes = source.FAttributes;
    FLine = source.FLine;
    FParent = source.FParent;
    FErrorState = source.FErrorState;
}

std::unique_ptr<TLnxAbstractElement> TLnxAbstractElement::clone() const
{
    std::unique_ptr<TLnxAbstractElement> copy = shallowCopy(*this);
    // Pairs of (original, copy) whose children are still to be copied: an explicit stack instead of
    // recursion.
    std::vector<std::pair<const TLnxAbstractObject*, TLnxAbstractObject*>> pending;
    if (const TLnxAbstractObject* object = asAbstractObject())
        pending.emplace_back(object, copy->asAbstractObject());
    while (!pending.empty()) {
        auto [original, target] = pending.back();
        pending.pop_back();
        target->FChildren.reserve(original->FChildren.size());
        for (const auto& child : original->FChildren) {
            TLnxAbstractElement* added = target->addChild(shallowCopy(*child));
            if (const TLnxAbstractObject* childObject = child->asAbstractObject())
                pending.emplace_back(childObject, added->asAbstractObject());
        }
    }
    return copy;
}

const std::string& TLnxAbstractElement::getAttribute(TLnxAttribute id) const
{
    for (const TLnxAttributeValue& attribute : FAttributes)
        if (attribute.id == id)
            return attribute.value;
    return kEmptyText;
}

bool TLnxAbstractElement::hasAttribute(TLnxAttribute id) const
{
    return std::any_of(FAttributes.begin(), FAttributes.end(), [id](const auto& a) { return a.id == id; });
}

void TLnxAbstractElement::setAttribute(TLnxAttribute id, std::string value)
{
    for (TLnxAttributeValue& attribute : FAttributes) {
        if (attribute.id == id) {
            attribute.value = std::move(value);
            return;
        }
    }
    FAttributes.append(id, std::move(value), nullptr);
}

void TLnxAbstractElement::setNamedAttribute(std::string_view name, std::string value)
{
    const TLnxAttribute id = attributeOf(name);
    if (id != lxaUnknown) {
        setAttribute(id, std::move(value));
        return;
    }
    for (TLnxAttributeValue& attribute : FAttributes) {
        if (attribute.id == lxaUnknown && attribute.writtenName() == name) {
            attribute.value = std::move(value);
            return;
        }
    }
    FAttributes.append(lxaUnknown, std::move(value), std::make_unique<std::string>(name));
}

const std::string& TLnxAbstractElement::getNamedAttribute(std::string_view name) const
{
    const TLnxAttribute id = attributeOf(name);
    for (const TLnxAttributeValue& attribute : FAttributes)
        if (attribute.id == id && (id != lxaUnknown || attribute.writtenName() == name))
            return attribute.value;
    return kEmptyText;
}

void TLnxAbstractElement::removeAttribute(TLnxAttribute id) { FAttributes.remove(id); }

std::string TLnxAbstractElement::attributeText(bool withoutId) const
{
    std::string text;
    for (const TLnxAttributeValue& attribute : FAttributes) {
        if (withoutId && attribute.id == lxaID)
            continue;
        if (!text.empty())
            text += ' ';
        text += attribute.writtenName();
        text += "=\"";
        text += attribute.value;
        text += '"';
    }
    return text;
}

namespace {

std::unique_ptr<TLnxAbstractElement> shallowCopy(const TLnxAbstractElement& source)
{
    std::unique_ptr<TLnxAbstractElement> copy;
    switch (source.nodeClass()) {
    case TLnxNodeClass::Data:
        copy = std::make_unique<TLnxDataElement>(source.tag(), source.asData()->value());
        break;
    case TLnxNodeClass::Object: {
        auto object = std::make_unique<TLnxObject>(source.tag(), source.asObject()->id());
        object->setFlags(source.asObject()->flags());
        copy = std::move(object);
        break;
    }
    case TLnxNodeClass::Collection:
        copy = std::make_unique<TLnxCollection>(source.tag());
        break;
    }
    for (const TLnxAttributeValue& attribute : source.attributes())
        copy->setNamedAttribute(attribute.writtenName(), attribute.value);
    copy->setLine(source.line());
    copy->setErrorState(source.errorState());
    return copy;
}

} // namespace

// ---- TLnxAbstractObject

TLnxAbstractObject::~TLnxAbstractObject()
{
    // Take the subtree apart depth first with a stack of its own, so that no destructor recurses: an object
    // is destroyed only after its children have been taken out, whatever the depth of the tree. Data children
    // go at once. The walk keeps to document order, which is the order the parser placed the nodes in
    // memory, and asks for nodes a few places ahead before it reaches them: a large tree is far bigger than
    // the caches. The memory goes back to the pool in batches.
    if (FChildren.empty())
        return;
    constexpr std::size_t kPrefetchDistance = 8;
    TLnxNodePool::ReleaseBatch batch;
    std::vector<TLnxAbstractObject*> pending; // owned here: objects whose children are still to be destroyed
    const auto collect = [&pending, &batch](TLnxChildList& children) {
        const std::size_t firstPending = pending.size();
        for (std::size_t i = 0; i < children.size(); ++i) {
            if (i + kPrefetchDistance < children.size())
                __builtin_prefetch(children[i + kPrefetchDistance].get());
            TLnxAbstractElement* node = children[i].release();
            if (node->isData())
                batch.add(node, destroyNode(node));
            else
                pending.push_back(static_cast<TLnxAbstractObject*>(node));
        }
        children.clear();
        // The stack hands out the last object first: reversed, it hands them out in document order.
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(firstPending), pending.end());
    };
    collect(FChildren);
    while (!pending.empty()) {
        TLnxAbstractObject* node = pending.back();
        pending.pop_back();
        collect(node->FChildren);
        batch.add(node, destroyNode(node));
    }
}

TLnxObject* TLnxAbstractObject::childAsObject(int index) const { return childAt(index)->asObject(); }

TLnxDataElement* TLnxAbstractObject::childAsData(int index) const { return childAt(index)->asData(); }

TLnxAbstractElement* TLnxAbstractObject::findChild(TLnxTagId tag) const
{
    for (const auto& child : FChildren)
        if (child->tag() == tag)
            return child.get();
    return nullptr;
}

TLnxObject* TLnxAbstractObject::findObject(TLnxTagId tag) const
{
    TLnxAbstractElement* child = findChild(tag);
    return child ? child->asObject() : nullptr;
}

TLnxCollection* TLnxAbstractObject::findCollection(TLnxTagId tag) const
{
    TLnxAbstractElement* child = findChild(tag);
    return child ? child->asCollection() : nullptr;
}

TLnxAbstractElement* TLnxAbstractObject::findOrCreateChild(TLnxTagId tag, bool create)
{
    if (TLnxAbstractElement* child = findChild(tag))
        return child;
    return create ? addChild(std::make_unique<TLnxDataElement>(tag)) : nullptr;
}

TLnxAbstractElement* TLnxAbstractObject::findChildByAttribute(TLnxAttribute id, std::string_view value) const
{
    for (const auto& child : FChildren)
        if (child->hasAttribute(id) && child->getAttribute(id) == value)
            return child.get();
    return nullptr;
}

TLnxAbstractElement* TLnxAbstractObject::addChild(std::unique_ptr<TLnxAbstractElement> child)
{
    child->FParent = this;
    FChildren.push_back(std::move(child));
    return FChildren.back().get();
}

void TLnxAbstractObject::addChildren(std::unique_ptr<TLnxAbstractElement>* first,
                                     std::unique_ptr<TLnxAbstractElement>* last)
{
    for (auto* child = first; child != last; ++child)
        (*child)->FParent = this;
    FChildren.insert(FChildren.end(), std::make_move_iterator(first), std::make_move_iterator(last));
}

TLnxObject* TLnxAbstractObject::addObject(TLnxTagId tag) { return add(std::make_unique<TLnxObject>(tag)); }

TLnxCollection* TLnxAbstractObject::addCollection(TLnxTagId tag)
{
    return add(std::make_unique<TLnxCollection>(tag));
}

TLnxObject* TLnxAbstractObject::findOrAddObject(TLnxTagId tag)
{
    TLnxObject* object = findObject(tag);
    return object ? object : addObject(tag);
}

TLnxCollection* TLnxAbstractObject::findOrAddCollection(TLnxTagId tag)
{
    TLnxCollection* collection = findCollection(tag);
    return collection ? collection : addCollection(tag);
}

void TLnxAbstractObject::removeChildAt(int index) { FChildren.erase(FChildren.begin() + index); }

void TLnxAbstractObject::removeChild(const TLnxAbstractElement* child) { detachChild(child); }

void TLnxAbstractObject::removeChildByTag(TLnxTagId tag) { removeChild(findChild(tag)); }

std::unique_ptr<TLnxAbstractElement> TLnxAbstractObject::detachChild(const TLnxAbstractElement* child)
{
    auto it =
        std::find_if(FChildren.begin(), FChildren.end(), [child](const auto& c) { return c.get() == child; });
    if (it == FChildren.end())
        return nullptr;
    std::unique_ptr<TLnxAbstractElement> detached = std::move(*it);
    FChildren.erase(it);
    detached->FParent = nullptr;
    return detached;
}

void TLnxAbstractObject::sortChildren(TLnxCompare compare, void* context)
{
    // A merge sort stays within bounds even when a compare function is inconsistent.
    std::stable_sort(FChildren.begin(), FChildren.end(), [compare, context](const auto& a, const auto& b) {
        return compare(a.get(), b.get(), context) < 0;
    });
}

void TLnxAbstractObject::pruneEmptyData()
{
    std::vector<TLnxAbstractObject*> pending{this};
    while (!pending.empty()) {
        TLnxAbstractObject* object = pending.back();
        pending.pop_back();
        std::erase_if(object->FChildren, [&pending](const std::unique_ptr<TLnxAbstractElement>& child) {
            if (TLnxAbstractObject* childObject = child->asAbstractObject()) {
                pending.push_back(childObject);
                return false;
            }
            return child->asData()->isEmpty();
        });
    }
}

TLnxDataElement* TLnxAbstractObject::dataChild(TLnxTagId tag)
{
    return findOrCreateChild(tag, true)->asData();
}

const std::string& TLnxAbstractObject::getText(TLnxTagId tag) const
{
    const TLnxAbstractElement* child = findChild(tag);
    const TLnxDataElement* data = child ? child->asData() : nullptr;
    return data ? data->value() : kEmptyText;
}

void TLnxAbstractObject::setText(TLnxTagId tag, std::string text)
{
    if (TLnxDataElement* data = dataChild(tag))
        data->setValue(std::move(text));
}

std::int32_t TLnxAbstractObject::getInteger(TLnxTagId tag) const
{
    return base::strToIntDef(getText(tag), 0);
}

void TLnxAbstractObject::setInteger(TLnxTagId tag, std::int32_t value)
{
    setText(tag, std::to_string(value));
}

double TLnxAbstractObject::getFloat(TLnxTagId tag)
{
    TLnxDataElement* data = dataChild(tag);
    return data ? base::strToIntDef(data->value(), 0) / 100.0 : 0.0;
}

base::TDateTime TLnxAbstractObject::getDate(TLnxTagId tag)
{
    TLnxDataElement* data = dataChild(tag);
    if (!data || data->value().size() < 8)
        return 0;
    const std::string_view text = data->value();
    const int year = base::strToIntDef(text.substr(0, 4), -1);
    const int month = base::strToIntDef(text.substr(4, 2), -1);
    const int day = base::strToIntDef(text.substr(6, 2), -1);
    return base::encodeDate(year, month, day);
}

void TLnxAbstractObject::setDate(TLnxTagId tag, base::TDateTime date)
{
    if (date == 0) {
        setText(tag, {});
        return;
    }
    const base::DateParts parts = base::decodeDate(date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", parts.year % 10000, parts.month, parts.day);
    setText(tag, text);
}

base::TDateTime TLnxAbstractObject::getTimeOfDay(TLnxTagId tag)
{
    TLnxDataElement* data = dataChild(tag);
    if (!data || data->value().size() < 4)
        return 0;
    const std::string_view text = data->value();
    const int hour = base::strToIntDef(text.substr(0, 2), -1);
    const int minute = base::strToIntDef(text.substr(2, 2), -1);
    return base::encodeTime(hour, minute);
}

void TLnxAbstractObject::setTimeOfDay(TLnxTagId tag, base::TDateTime time)
{
    if (time == 0) {
        setText(tag, {});
        return;
    }
    const base::TimeParts parts = base::decodeTime(time);
    char text[8];
    std::snprintf(text, sizeof text, "%02d%02d", parts.hour, parts.minute);
    setText(tag, text);
}

TSwimTime TLnxAbstractObject::getLenexTime(TLnxTagId tag, int expectedKind)
{
    TLnxDataElement* data = dataChild(tag);
    return data ? lenexTimeRead(data->value(), expectedKind) : 0;
}

void TLnxAbstractObject::setLenexTime(TLnxTagId tag, int kind, TSwimTime time)
{
    setText(tag, lenexTimeWrite(kind, time));
}

int TLnxAbstractObject::getTimeKind(TLnxTagId tag) const { return lenexTimeKind(getText(tag)); }

bool TLnxAbstractObject::isEmpty(TLnxTagId tag) const
{
    const std::string& text = getText(tag);
    return text.empty() || text == "0";
}

int TLnxAbstractObject::poolIndex() const { return poolIndexOf(getInteger(tag::PL), getText(tag::PM)); }

int TLnxAbstractObject::courseNumber() const { return courseOfPoolIndex(poolIndex()); }

void TLnxAbstractObject::setPoolIndex(int poolIndex)
{
    if (poolIndex < 0 || poolIndex >= static_cast<int>(std::size(kPools)))
        return;
    setInteger(tag::PL, kPools[poolIndex].length);
    setText(tag::PM, std::string(kPools[poolIndex].unit));
}

// ---- TLnxObject

TSwimStyle TLnxObject::readSwimStyle() const
{
    TSwimStyle style;
    style.relayCountIndex = std::max(0, relayCountIndexOf(getInteger(tag::DISCNT)));
    style.distanceIndex = distanceIndexOf(getInteger(tag::DIS));
    style.strokeIndex = strokeIndexOf(getText(tag::STR));
    return style;
}

void TLnxObject::writeSwimStyle(const TSwimStyle& style, int sexIndex)
{
    if (style.distanceIndex < 0 || style.distanceIndex >= static_cast<int>(std::size(kDistances)))
        throw std::out_of_range("Distance index out of range");
    setInteger(tag::DIS, kDistances[style.distanceIndex]);
    if (style.strokeIndex < 0)
        throw std::out_of_range("Stroke index out of range");
    const int stroke = std::min(style.strokeIndex, kSpecialStroke);
    setText(tag::STR, std::string(kStrokeCodes[stroke]));
    if (stroke == kSpecialStroke) {
        findChild(tag::STR)->setAttribute(lxaID, std::to_string(style.styleId));
        setText(tag::NAME, style.name);
    }
    if (style.relayCountIndex > 0) {
        if (style.relayCountIndex >= static_cast<int>(std::size(kRelayCounts)))
            throw std::out_of_range("Relay count index out of range");
        setInteger(tag::DISCNT, kRelayCounts[style.relayCountIndex]);
    }
    if (sexIndex == 0 || sexIndex == 1)
        setText(tag::SEX, std::string(kSexCodes[sexIndex]));
}

// ---- TLnxCollection

TLnxObject* TLnxCollection::newItem() { return addObject(FItemTag); }

TLnxDataElement* TLnxCollection::newDataItem() { return add(std::make_unique<TLnxDataElement>(FItemTag)); }

std::unique_ptr<TLnxAbstractElement> createNodeForTag(TLnxTagId tag)
{
    switch (tagKind(tag)) {
    case TLnxTagKind::Object:
        return std::make_unique<TLnxObject>(tag);
    case TLnxTagKind::Collection:
        return std::make_unique<TLnxCollection>(tag);
    case TLnxTagKind::Data:
        break;
    }
    return std::make_unique<TLnxDataElement>(tag);
}

std::unique_ptr<TLnxAbstractElement> createNodeForTag(TLnxTagId tag, void* memory)
{
    // The global placement form: the nodes' own operator new takes memory from the pool. Their constructors
    // throw nothing, so the memory cannot be left behind.
    switch (tagKind(tag)) {
    case TLnxTagKind::Object:
        return std::unique_ptr<TLnxAbstractElement>(::new (memory) TLnxObject(tag));
    case TLnxTagKind::Collection:
        return std::unique_ptr<TLnxAbstractElement>(::new (memory) TLnxCollection(tag));
    case TLnxTagKind::Data:
        break;
    }
    return std::unique_ptr<TLnxAbstractElement>(::new (memory) TLnxDataElement(tag));
}

} // namespace lanescope::lenex
