#include "platform/foundation/PropertyList.h"

#include "platform/foundation/FileManager.h"
#include "platform/foundation/PropertyListGuard.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <plist/plist.h>

namespace foundation {

namespace {

struct PlistFree {
    void operator()(void* node) const { plist_free(node); }
};
using PlistHolder = std::unique_ptr<void, PlistFree>;

// Writing recurses once per level, as does libplist's own writer; deeper values are refused.
constexpr int kMaxWriteDepth = 512;

std::optional<Value> toValue(plist_t node, int depth, int maxDepth);

std::optional<Value> arrayToValue(plist_t node, int depth, int maxDepth)
{
    Value::Array items;
    uint32_t size = plist_array_get_size(node);
    items.reserve(size);
    for (uint32_t i = 0; i < size; ++i) {
        auto item = toValue(plist_array_get_item(node, i), depth + 1, maxDepth);
        if (!item)
            return std::nullopt;
        items.push_back(std::move(*item));
    }
    return Value::array(std::move(items));
}

std::optional<Value> dictionaryToValue(plist_t node, int depth, int maxDepth)
{
    Value::Dictionary entries;
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(node, &iterator);
    if (!iterator)
        return std::nullopt;
    std::unique_ptr<void, decltype(&std::free)> iteratorHolder(iterator, &std::free);
    for (;;) {
        char* key = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iterator, &key, &item);
        std::unique_ptr<char, decltype(&std::free)> keyHolder(key, &std::free);
        if (!item)
            break;
        if (!key)
            return std::nullopt;
        auto value = toValue(item, depth + 1, maxDepth);
        if (!value)
            return std::nullopt;
        entries.insert_or_assign(std::string(key), std::move(*value));
    }
    return Value::dictionary(std::move(entries));
}

std::optional<Value> toValue(plist_t node, int depth, int maxDepth)
{
    if (!node)
        return std::nullopt;
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return Value::boolean(b != 0);
    }
    case PLIST_UINT: {
        // libplist keeps every integer as 64 unsigned bits; negative ones are their two's
        // complement. (Values above the signed range, which the phone never writes, wrap.)
        uint64_t u = 0;
        plist_get_uint_val(node, &u);
        return Value::integer(static_cast<std::int64_t>(u));
    }
    case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        return Value::real(d);
    }
    case PLIST_STRING: {
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        return Value::string(text ? std::string(text, length) : std::string());
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        auto bytes = reinterpret_cast<const std::uint8_t*>(plist_get_data_ptr(node, &length));
        return Value::data(bytes ? Value::Bytes(bytes, bytes + length) : Value::Bytes());
    }
    case PLIST_DATE: {
        int32_t seconds = 0, microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        return Value::date(seconds + microseconds / 1e6);
    }
    case PLIST_ARRAY:
        if (depth >= maxDepth)
            return std::nullopt;
        return arrayToValue(node, depth, maxDepth);
    case PLIST_DICT:
        if (depth >= maxDepth)
            return std::nullopt;
        return dictionaryToValue(node, depth, maxDepth);
    default:
        return std::nullopt; // keys out of place, UIDs: nothing a Value can hold
    }
}

// Null elements are left out: a property list cannot hold nothing.
plist_t toPlist(const Value& value, int depth)
{
    if (depth > kMaxWriteDepth)
        return nullptr;
    switch (value.kind()) {
    case Value::Kind::Null:
        return nullptr;
    case Value::Kind::Boolean:
        return plist_new_bool(value.boolValue());
    case Value::Kind::Integer:
        return plist_new_uint(static_cast<uint64_t>(value.integerValue()));
    case Value::Kind::Real:
        return plist_new_real(value.doubleValue());
    case Value::Kind::String:
        return plist_new_string(value.asString()->c_str());
    case Value::Kind::Data: {
        const auto& bytes = *value.asData();
        return plist_new_data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    case Value::Kind::Date: {
        // libplist holds whole seconds and microseconds in 32 bits (about 1933 to 2069).
        double seconds = *value.asDate();
        if (std::isnan(seconds))
            seconds = 0;
        double whole = std::floor(seconds);
        whole = std::clamp(whole, double(std::numeric_limits<int32_t>::min()),
            double(std::numeric_limits<int32_t>::max()));
        auto micro = static_cast<int32_t>(std::clamp((seconds - whole) * 1e6, 0.0, 999999.0));
        return plist_new_date(static_cast<int32_t>(whole), micro);
    }
    case Value::Kind::Array: {
        PlistHolder array(plist_new_array());
        for (const Value& item : *value.asArray()) {
            if (item.isNull())
                continue;
            plist_t node = toPlist(item, depth + 1);
            if (!node)
                return nullptr;
            plist_array_append_item(array.get(), node);
        }
        return array.release();
    }
    case Value::Kind::Dictionary: {
        // Inserted in the map's sorted order, which libplist keeps when writing.
        PlistHolder dictionary(plist_new_dict());
        for (const auto& [key, item] : *value.asDictionary()) {
            if (item.isNull())
                continue;
            plist_t node = toPlist(item, depth + 1);
            if (!node)
                return nullptr;
            plist_dict_set_item(dictionary.get(), key.c_str(), node);
        }
        return dictionary.release();
    }
    }
    return nullptr;
}

template<typename Writer, typename Free>
std::string serialise(const Value& value, Writer writer, Free release)
{
    PlistHolder root(toPlist(value, 1));
    if (!root)
        return {};
    char* bytes = nullptr;
    uint32_t length = 0;
    writer(root.get(), &bytes, &length);
    if (!bytes)
        return {};
    std::string result(bytes, length);
    release(bytes);
    return result;
}

} // namespace

std::optional<Value> parsePropertyList(std::string_view bytes, PropertyListLimits limits)
{
    if (bytes.empty() || bytes.size() > limits.maxBytes
        || bytes.size() > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    bool binary = bytes.substr(0, 8) == "bplist00";
    bool safe = binary ? detail::binaryPropertyListIsSafe(bytes, limits)
                       : detail::xmlIsWithinLimits(bytes, limits);
    if (!safe)
        return std::nullopt;
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
    if (!root)
        return std::nullopt;
    PlistHolder holder(root);
    return toValue(root, 0, limits.maxDepth);
}

std::optional<Value> readPropertyList(const std::string& hostPath, PropertyListLimits limits)
{
    auto bytes = readFile(hostPath, limits.maxBytes);
    if (!bytes)
        return std::nullopt;
    return parsePropertyList(*bytes, limits);
}

std::string xmlPropertyList(const Value& value)
{
    return serialise(value, plist_to_xml, plist_to_xml_free);
}

std::string binaryPropertyList(const Value& value)
{
    return serialise(value, plist_to_bin, plist_to_bin_free);
}

bool writePropertyList(const std::string& hostPath, const Value& value)
{
    std::string xml = xmlPropertyList(value);
    return !xml.empty() && writeFileAtomically(hostPath, xml);
}

} // namespace foundation
