#include "platform/foundation/Bundle.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Image.h"
#include "platform/runtime/Runtime.h"
#include <dlfcn.h>
#include <link.h>
#include <utility>

namespace foundation {

namespace {
const std::string* stringFor(const Value& info, const char* key)
{
    const Value* v = info.find(key);
    return v ? v->asString() : nullptr;
}
} // namespace

std::optional<Bundle> Bundle::atHostPath(const std::string& folder)
{
    auto info = readPropertyList(folder + "/Info.plist");
    if (!info || !info->asDictionary())
        return std::nullopt;
    Bundle b;
    b.m_path = folder;
    b.m_info = std::move(*info);
    return b;
}

std::optional<Bundle> Bundle::atDevicePath(const std::string& folder)
{
    auto host = hostPath(folder);
    return host ? atHostPath(*host) : std::nullopt;
}

Bundle::Bundle(Bundle&& o) noexcept
    : m_path(std::move(o.m_path)), m_info(std::move(o.m_info)), m_handle(std::exchange(o.m_handle, nullptr)) { }

Bundle& Bundle::operator=(Bundle&& o) noexcept
{
    m_path = std::move(o.m_path);
    m_info = std::move(o.m_info);
    m_handle = std::exchange(o.m_handle, nullptr);
    return *this;
}

Bundle::~Bundle() = default;

std::string Bundle::identifier() const
{
    const std::string* id = stringFor(m_info, "CFBundleIdentifier");
    return id ? *id : std::string();
}

std::optional<std::string> Bundle::executablePath() const
{
    const std::string* name = stringFor(m_info, "CFBundleExecutable");
    // The executable lives inside the bundle: a name that climbs out of it is refused.
    if (!name || name->empty() || name->find('/') != std::string::npos || *name == "." || *name == "..")
        return std::nullopt;
    return m_path + "/" + *name;
}

bool Bundle::load(std::string* error)
{
    if (m_handle)
        return true;
    auto exe = executablePath();
    if (!exe) {
        if (error)
            *error = "no CFBundleExecutable in " + m_path + "/Info.plist";
        return false;
    }
    m_handle = dlopen(exe->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle && error)
        *error = dlerror();
    return m_handle != nullptr;
}

runtime::Class* Bundle::principalClass()
{
    const std::string* name = stringFor(m_info, "NSPrincipalClass");
    if (!name || !load())
        return nullptr;
    return runtime::lookUpClass(*name);
}

void Bundle::unload()
{
    if (!m_handle)
        return;
    link_map* map = nullptr;
    const runtime::Image* image = nullptr;
    if (dlinfo(m_handle, RTLD_DI_LINKMAP, &map) == 0 && map)
        image = runtime::imageContaining(map->l_ld);
    auto exe = executablePath();
    dlclose(std::exchange(m_handle, nullptr));
    // Another bundle object (the settings pane and the library both load plug-ins) may still
    // hold the executable: its classes go only once it is really unmapped.
    void* still = exe ? dlopen(exe->c_str(), RTLD_NOW | RTLD_NOLOAD) : nullptr;
    if (still)
        dlclose(still);
    else
        runtime::removeImage(image);
}

} // namespace foundation
