#include "platform/runtime/Image.h"
#include <dlfcn.h>
#include <map>
#include <memory>

namespace runtime {

const Image* imageContaining(const void* address)
{
    static auto* images = new std::map<const void*, std::unique_ptr<Image>>;
    Dl_info info {};
    if (!dladdr(address, &info) || !info.dli_fbase)
        return nullptr;
    auto& slot = (*images)[info.dli_fbase];
    std::string path = info.dli_fname ? info.dli_fname : "";
    if (!slot)
        slot = std::make_unique<Image>(Image { info.dli_fbase, path });
    else if (slot->path != path) // another library now occupies an unloaded one's address
        slot->path = path;
    return slot.get();
}

} // namespace runtime
