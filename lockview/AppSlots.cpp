// The app slot table: the applications chosen for the icon row and the folder, as slots numbered
// without gaps, with the folder as one more row slot.
#include "lockview/OmbrelView.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"
#include <optional>

namespace ombrel {

using foundation::Value;

namespace {

constexpr int kRowSlots = 5, kFolderSlots = 4;

std::string slotKey(std::string_view prefix, int slot) { return std::string(prefix) + std::to_string(slot); }

// The slot number of a key that is exactly prefix + a slot in [0, count). Other keys that merely
// contain the prefix ("kApp7", "kAppX") would leave holes the icon row cannot show, so they are
// not slots; they stay in the settings file untouched.
std::optional<int> slotOf(std::string_view key, std::string_view prefix, int count)
{
    if (!key.starts_with(prefix) || key.size() != prefix.size() + 1)
        return std::nullopt;
    int slot = key.back() - '0';
    if (slot < 0 || slot >= count)
        return std::nullopt;
    return slot;
}

// A slot holds an application only as a non-empty string; anything else reads as an empty slot.
bool usable(const Value& v)
{
    const std::string* s = v.asString();
    return s && !s->empty();
}

// Moves later slots down into empty ones, in the table and in the settings copy.
bool closeGaps(Value& table, Value& settings, std::string_view prefix, int count)
{
    bool changed = false;
    for (int i = 0; i < count; ++i) {
        if (table.find(slotKey(prefix, i)))
            continue;
        for (int j = i + 1; j < count; ++j) {
            const Value* later = table.find(slotKey(prefix, j));
            if (!later)
                continue;
            Value moved = *later;
            table.set(slotKey(prefix, i), moved);
            settings.set(slotKey(prefix, i), moved);
            table.erase(slotKey(prefix, j));
            settings.erase(slotKey(prefix, j));
            changed = true;
            break;
        }
    }
    return changed;
}

void setupAppDictionariesImp(runtime::Object* self, runtime::Sel) { static_cast<OmbrelView*>(self)->setupAppDictionaries(); }

} // namespace

void OmbrelView::setupAppDictionaries()
{
    bool folder = settingBool(ombrelSettings, "folderEnabled");
    setApps = Value::dictionary();
    setPopupApps = Value::dictionary();
    if (const Value::Dictionary* all = ombrelSettings.asDictionary()) {
        for (const auto& [key, value] : *all) {
            if (key.find("kApp") != std::string::npos) {
                if (slotOf(key, "kApp", kRowSlots) && usable(value))
                    setApps.set(key, value);
            } else if (key.find("kPopupApp") != std::string::npos) {
                if (folder && slotOf(key, "kPopupApp", kFolderSlots) && usable(value))
                    setPopupApps.set(key, value);
            }
        }
    }
    bool changed = closeGaps(setApps, ombrelSettings, "kApp", kRowSlots);
    if (folder) {
        changed |= closeGaps(setPopupApps, ombrelSettings, "kPopupApp", kFolderSlots);
        if (setPopupApps.count() == 0) {
            folder = false;
            ombrelSettings.set("folderEnabled", Value::boolean(false));
            ombrelSettings.set("kPopupApp0", Value::string("com.apple.Preferences"));
            changed = true;
        }
    }
    if (changed)
        writeSettings(ombrelSettings); // a failed write leaves the table as built
    if (folder) {
        // With all five row slots used the folder takes the fifth one's place (in the table only).
        int c = std::min(int(setApps.count()), kRowSlots - 1);
        setApps.set(slotKey("kApp", c), Value::string("folder"));
    }
}

void OmbrelView::addSlotMethods(runtime::ClassBuilder& builder)
{
    builder.method("setupAppDictionaries", &setupAppDictionariesImp);
}

} // namespace ombrel
