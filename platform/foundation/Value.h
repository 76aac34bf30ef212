#pragma once
// A property-list value: what settings files, plug-in settings and log arguments are made of.
// Number kinds are kept apart (a Boolean stays a Boolean, a real stays a real), so that a value read
// and written back keeps its kind in the file. Arrays and dictionaries are shared copy-on-write:
// copying a Value is cheap, and the settings loader can hand out a fresh copy on every call.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace foundation {

class Value {
public:
    enum class Kind { Null, Boolean, Integer, Real, String, Data, Date, Array, Dictionary };
    using Array = std::vector<Value>;
    // Sorted by key, so that written files are byte-stable.
    using Dictionary = std::map<std::string, Value, std::less<>>;
    using Bytes = std::vector<std::uint8_t>;

    Value() = default; // nothing ("nil")
    static Value boolean(bool);
    static Value integer(std::int64_t);
    static Value real(double);
    static Value string(std::string);
    static Value data(Bytes);
    static Value date(double secondsSinceReferenceDate); // reference date: 2001-01-01 00:00:00 UTC
    static Value array(Array = {});
    static Value dictionary(Dictionary = {});

    Kind kind() const;
    bool isNull() const { return kind() == Kind::Null; }
    bool isNumber() const; // Boolean, integer or real

    // The platform's conversions (as a number or a string answers boolValue, intValue, doubleValue):
    // numbers convert to each other; a string is read like the platform reads it ("YES", "true",
    // "1" are true; leading number text counts); anything else answers false or 0.
    bool boolValue() const;
    std::int64_t integerValue() const;
    double doubleValue() const;

    // Typed access: nothing when the value is of another kind.
    const std::string* asString() const;
    const Bytes* asData() const;
    const Array* asArray() const;
    const Dictionary* asDictionary() const;
    std::optional<double> asDate() const;

    // Mutable access unshares the storage first (copy-on-write); nothing when of another kind.
    Array* mutableArray();
    Dictionary* mutableDictionary();

    // Dictionary helpers; on a value that is not a dictionary, find answers nothing and
    // set/erase do nothing.
    const Value* find(std::string_view key) const;
    void set(std::string key, Value);
    bool erase(std::string_view key);
    std::size_t count() const; // elements of an array or dictionary, else 0

    bool operator==(const Value&) const;

    static const char* kindName(Kind);

private:
    struct DateBox { double seconds; bool operator==(const DateBox&) const = default; };
    using Storage = std::variant<std::monostate, bool, std::int64_t, double, std::string,
        std::shared_ptr<Bytes>, DateBox, std::shared_ptr<Array>, std::shared_ptr<Dictionary>>;
    Storage m_storage;
};

} // namespace foundation
