#pragma once
// Checks made on property-list input before libplist sees it. libplist recurses once per level of
// nesting and follows binary object references as they come, so hostile input (a million nested
// arrays, an object that contains itself, a count that claims more than the file holds) would
// overflow its stack or run it out of memory. These checks walk the input without recursion.

#include <cstddef>
#include <string_view>

namespace foundation::detail {

// XML: arrays and dictionaries nest at most maxDepth deep (and elements of any name not much deeper).
bool xmlNestingIsWithin(std::string_view text, int maxDepth);

// Binary ("bplist00"): the trailer, offset table and every reachable object lie inside the input,
// references stay in range and form no cycle, containers nest at most maxDepth deep, dictionary keys
// are strings, no object kind that a Value cannot hold appears (sets, UIDs), and the tree that
// expanding shared references would build stays in proportion to the input.
bool binaryPropertyListIsSafe(std::string_view bytes, int maxDepth);

} // namespace foundation::detail
