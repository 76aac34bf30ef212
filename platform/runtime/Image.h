#pragma once
// Images: the loaded program and libraries that registered classes and methods. The runtime notes
// the image of every class and method, so unloading a bundle can take away exactly what it brought.

#include <string>

namespace runtime {

struct Image {
    const void* base; // load address, as dladdr reports it
    std::string path;
};

// The image that contains an address (a function or a static of that image).
const Image* imageContaining(const void* address);

namespace {
// The image of the calling code. The anchor has internal linkage, one per translation unit, so its
// address lies in the image that unit is linked into, even where inline code of a shared header
// would be resolved to another library's copy.
inline const void* thisImageAnchor()
{
    static const char anchor = 0;
    return &anchor;
}
inline const Image* thisImage() { return imageContaining(thisImageAnchor()); }
} // namespace

} // namespace runtime
