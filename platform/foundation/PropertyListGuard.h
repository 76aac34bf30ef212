#pragma once
// Checks made on property-list input before libplist sees it. libplist recurses once per level of
// nesting and follows binary object references as they come, so hostile input (a million nested
// arrays, an object that contains itself, a count that claims more than the file holds) would
// overflow its stack or run it out of memory. These checks walk the input without recursion.

#include "platform/foundation/PropertyList.h"

#include <cstddef>
#include <string_view>

namespace foundation::detail {

// XML: arrays and dictionaries nest at most maxDepth deep (and elements of any name not much deeper),
// and the counts of values and of keys per dictionary stay within the limits.
bool xmlIsWithinLimits(std::string_view text, const PropertyListLimits&);

// Binary ("bplist00"): the trailer, offset table and every reachable object lie inside the input,
// references stay in range and form no cycle, containers nest at most maxDepth deep, dictionary keys
// are strings without a NUL character (libplist aborts on a UTF-16 one), no object kind that a Value cannot
// hold appears (sets, UIDs), and the tree that expanding shared references would build stays in
// proportion to the input and within the limits.
bool binaryPropertyListIsSafe(std::string_view bytes, const PropertyListLimits&);

} // namespace foundation::detail
