#include "platform/foundation/PropertyListGuard.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace foundation::detail {

namespace {

bool startsWith(std::string_view text, std::size_t at, std::string_view prefix)
{
    return text.substr(at, prefix.size()) == prefix;
}

// Position just past the '>' that ends the tag starting at `at`, skipping quoted attribute values.
std::size_t endOfTag(std::string_view text, std::size_t at)
{
    char quote = 0;
    for (std::size_t i = at; i < text.size(); ++i) {
        char c = text[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

} // namespace

bool xmlIsWithinLimits(std::string_view text, const PropertyListLimits& limits)
{
    // Elements other than arrays and dictionaries never nest in a good file beyond <plist> and a
    // value; the slack only keeps odd but harmless files readable.
    const int maxDepth = limits.maxDepth;
    const int maxElementDepth = maxDepth + 16;
    int containers = 0, elements = 0;
    std::size_t values = 0;
    // Keys seen in each open container (counted for dictionaries only); at most maxDepth deep.
    std::vector<std::size_t> keys;
    std::vector<bool> isDictionary;
    std::size_t i = 0;
    while ((i = text.find('<', i)) != std::string_view::npos) {
        std::string_view skipTo;
        if (startsWith(text, i, "<!--"))
            skipTo = "-->";
        else if (startsWith(text, i, "<![CDATA["))
            skipTo = "]]>";
        else if (startsWith(text, i, "<?"))
            skipTo = "?>";
        if (!skipTo.empty()) {
            std::size_t end = text.find(skipTo, i + 2);
            if (end == std::string_view::npos)
                return false;
            i = end + skipTo.size();
            continue;
        }
        std::size_t end = endOfTag(text, i + 1);
        if (end == std::string_view::npos)
            return false; // truncated inside a tag: it cannot parse
        if (startsWith(text, i, "<!")) { // DOCTYPE and other declarations
            i = end;
            continue;
        }
        bool closing = startsWith(text, i, "</");
        std::size_t nameStart = i + (closing ? 2 : 1);
        std::size_t nameEnd = nameStart;
        while (nameEnd < end - 1 && text[nameEnd] != '/' && text[nameEnd] != '>'
            && text[nameEnd] != ' ' && text[nameEnd] != '\t' && text[nameEnd] != '\n'
            && text[nameEnd] != '\r')
            ++nameEnd;
        std::string_view name = text.substr(nameStart, nameEnd - nameStart);
        bool container = name == "array" || name == "dict";
        bool selfClosing = !closing && text[end - 2] == '/';
        if (closing) {
            elements = std::max(0, elements - 1);
            if (container && containers > 0) {
                --containers;
                keys.pop_back();
                isDictionary.pop_back();
            }
        } else {
            if (name == "key") {
                if (!keys.empty() && isDictionary.back() && ++keys.back() > limits.maxDictionaryKeys)
                    return false;
            } else if (name != "plist" && ++values > limits.maxValues) {
                return false;
            }
            if (!selfClosing) {
                ++elements;
                if (container) {
                    ++containers;
                    keys.push_back(0);
                    isDictionary.push_back(name == "dict");
                }
                if (containers > maxDepth || elements > maxElementDepth)
                    return false;
            }
        }
        i = end;
    }
    return true;
}

namespace {

class BinaryReader {
public:
    explicit BinaryReader(std::string_view bytes) : m_bytes(bytes) { }

    // Big-endian unsigned integer of `width` bytes at `at`; false when outside the input.
    bool read(std::size_t at, unsigned width, std::uint64_t& out) const
    {
        if (width == 0 || width > 8 || at > m_bytes.size() || m_bytes.size() - at < width)
            return false;
        out = 0;
        for (unsigned k = 0; k < width; ++k)
            out = (out << 8) | static_cast<unsigned char>(m_bytes[at + k]);
        return true;
    }

private:
    std::string_view m_bytes;
};

// Whether text of `unit`-byte characters (ASCII or UTF-16) holds a NUL character.
bool holdsNul(std::string_view text, std::uint64_t unit)
{
    for (std::size_t i = 0; i + unit <= text.size(); i += unit) {
        if (text[i] == 0 && (unit == 1 || text[i + 1] == 0))
            return true;
    }
    return false;
}

struct Frame {
    std::uint64_t object;
    std::size_t refsAt;      // where the container's references start
    std::uint64_t refCount;  // references to follow (keys and values of a dictionary)
    std::uint64_t next = 0;  // next reference to follow
    bool dictionary;
};

} // namespace

bool binaryPropertyListIsSafe(std::string_view bytes, const PropertyListLimits& limits)
{
    const int maxDepth = limits.maxDepth;
    constexpr std::size_t kHeader = 8, kTrailer = 32;
    if (bytes.size() < kHeader + kTrailer + 1 || bytes.substr(0, kHeader) != "bplist00")
        return false;
    BinaryReader in(bytes);
    const std::size_t trailer = bytes.size() - kTrailer;
    std::uint64_t offsetSize, refSize, objectCount, top, tableAt;
    if (!in.read(trailer + 6, 1, offsetSize) || !in.read(trailer + 7, 1, refSize)
        || !in.read(trailer + 8, 8, objectCount) || !in.read(trailer + 16, 8, top)
        || !in.read(trailer + 24, 8, tableAt))
        return false;
    if (offsetSize < 1 || offsetSize > 8 || refSize < 1 || refSize > 8)
        return false;
    if (objectCount == 0 || top >= objectCount || tableAt < kHeader || tableAt > trailer
        || objectCount > (trailer - tableAt) / offsetSize)
        return false;

    // Expanding the references builds a tree; a good file (containers are never shared) makes at
    // most one node per reference, so the input's size bounds it. Shared strings and data may
    // repeat their payload, within a budget proportional to the input.
    std::uint64_t nodeBudget = std::min<std::uint64_t>(bytes.size() + 1024, limits.maxValues);
    std::uint64_t payloadBudget = 2 * std::uint64_t(bytes.size()) + 65536;

    std::vector<bool> onPath(objectCount, false);
    std::vector<Frame> stack;

    // Checks object `index` (whose container depth would be `depth`); pushes it when a container.
    auto visit = [&](std::uint64_t index, bool mustBeKey) -> bool {
        if (index >= objectCount || onPath[index] || (!mustBeKey && nodeBudget-- == 0))
            return false;
        std::uint64_t at;
        if (!in.read(tableAt + index * offsetSize, offsetSize, at) || at < kHeader || at >= trailer)
            return false;
        std::uint64_t marker = 0;
        in.read(at, 1, marker); // inside: at < trailer
        unsigned kind = marker >> 4, low = marker & 0xF;
        std::size_t body = at + 1;
        std::uint64_t count = low;
        bool counted = kind == 0x4 || kind == 0x5 || kind == 0x6 || kind == 0xA || kind == 0xD;
        if (counted && low == 0xF) {
            std::uint64_t intMarker;
            if (!in.read(body, 1, intMarker) || (intMarker >> 4) != 0x1 || (intMarker & 0xF) > 3)
                return false;
            unsigned width = 1u << (intMarker & 0xF);
            if (!in.read(body + 1, width, count))
                return false;
            body += 1 + width;
        }
        std::uint64_t room = body <= trailer ? trailer - body : 0;
        if (mustBeKey && kind != 0x5 && kind != 0x6)
            return false;
        switch (kind) {
        case 0x0:
            return marker == 0x08 || marker == 0x09; // false, true
        case 0x1:
            return low <= 4 && (1u << low) <= room;
        case 0x2:
            return (low == 2 || low == 3) && (1u << low) <= room;
        case 0x3:
            return marker == 0x33 && 8 <= room;
        case 0x4:
        case 0x5:
        case 0x6: {
            std::uint64_t unit = kind == 0x6 ? 2 : 1;
            if (count > room / unit || count * unit > payloadBudget)
                return false;
            payloadBudget -= count * unit;
            // libplist asserts (aborts the process) on a UTF-16 key holding a NUL character and cuts an
            // ASCII one short at it (so two keys could become one): keys with a NUL are refused.
            return !mustBeKey || !holdsNul(bytes.substr(body, count * unit), unit);
        }
        case 0xA:
        case 0xD: {
            if (count > room / refSize)
                return false; // claims more references than the input holds
            std::uint64_t refs = kind == 0xD ? 2 * count : count;
            if (refs > room / refSize || (kind == 0xD && count > limits.maxDictionaryKeys))
                return false;
            if (stack.size() >= static_cast<std::size_t>(std::max(maxDepth, 0)))
                return false;
            onPath[index] = true;
            stack.push_back({ index, body, refs, 0, kind == 0xD });
            return true;
        }
        default:
            return false; // UIDs, sets and unknown markers have no Value
        }
    };

    if (!visit(top, false))
        return false;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.refCount) {
            onPath[frame.object] = false;
            stack.pop_back();
            continue;
        }
        std::uint64_t ref;
        if (!in.read(frame.refsAt + frame.next * refSize, refSize, ref))
            return false;
        // A dictionary lists all its keys, then all its values.
        bool isKey = frame.dictionary && frame.next < frame.refCount / 2;
        ++frame.next; // before visit(), which may grow the stack and move `frame`
        if (!visit(ref, isKey))
            return false;
    }
    return true;
}

} // namespace foundation::detail
