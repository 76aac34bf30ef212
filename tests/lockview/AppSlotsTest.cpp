// The app slot table: gaps closed in the table and in the stored settings, the folder slot added,
// and slot values that cannot name an application read as empty slots.
#include "platform/runtime/Send.h"
#include "tests/lockview/DeviceFixture.h"
#include <map>

using namespace lockviewtest;
using foundation::Value;
using runtime::Object;
using runtime::Sel;

namespace {

using Strings = std::map<std::string, std::string>;

Strings strings(const Value& table)
{
    Strings out;
    if (const Value::Dictionary* d = table.asDictionary())
        for (const auto& [k, v] : *d)
            out[k] = v.asString() ? *v.asString() : "<" + std::string(Value::kindName(v.kind())) + ">";
    return out;
}

// The slot keys of a settings dictionary (anything containing "App"), as text.
Strings slotKeys(const Value& settings)
{
    Strings all = strings(settings), out;
    for (const auto& [k, v] : all)
        if (k.find("App") != std::string::npos)
            out[k] = v;
    return out;
}

struct AppSlots : DeviceFixture { };

TEST_F(AppSlots, TableAndStoredSlots)
{
    const std::string sms = "com.apple.MobileSMS", mail = "com.apple.mobilemail", calc = "com.apple.calculator",
                      store = "com.apple.AppStore", safari = "com.apple.mobilesafari", prefs = "com.apple.Preferences";
    struct Case {
        const char* name;
        bool folder;
        std::map<std::string, Value> slots; // every slot key of the stored settings
        Strings apps, popupApps;            // the tables built
        Strings stored;                     // the slot keys stored afterwards
        bool written;
    } cases[] = {
        { "gap closed, folder after the apps", true,
            { { "kApp0", Value::string(sms) }, { "kApp2", Value::string(mail) }, { "kPopupApp0", Value::string(calc) } },
            { { "kApp0", sms }, { "kApp1", mail }, { "kApp2", "folder" } }, { { "kPopupApp0", calc } },
            { { "kApp0", sms }, { "kApp1", mail }, { "kPopupApp0", calc } }, true },
        { "five apps: the folder takes the fifth place in the table only", true,
            { { "kApp0", Value::string(sms) }, { "kApp1", Value::string(mail) }, { "kApp2", Value::string(store) },
                { "kApp3", Value::string(safari) }, { "kApp4", Value::string(prefs) }, { "kPopupApp0", Value::string(calc) } },
            { { "kApp0", sms }, { "kApp1", mail }, { "kApp2", store }, { "kApp3", safari }, { "kApp4", "folder" } },
            { { "kPopupApp0", calc } },
            { { "kApp0", sms }, { "kApp1", mail }, { "kApp2", store }, { "kApp3", safari }, { "kApp4", prefs }, { "kPopupApp0", calc } },
            false },
        { "empty string is an empty slot", false, { { "kApp0", Value::string("") }, { "kApp1", Value::string(sms) } },
            { { "kApp0", sms } }, {}, { { "kApp0", sms } }, true },
        { "folder on without folder apps turns it off", true, { { "kApp0", Value::string(sms) } },
            { { "kApp0", sms } }, {}, { { "kApp0", sms }, { "kPopupApp0", prefs } }, true },
        { "folder off leaves the folder slots alone", false,
            { { "kApp1", Value::string(sms) }, { "kPopupApp2", Value::string(calc) } },
            { { "kApp0", sms } }, {}, { { "kApp0", sms }, { "kPopupApp2", calc } }, true },
        { "folder gaps closed", true,
            { { "kApp0", Value::string(sms) }, { "kPopupApp1", Value::string(calc) }, { "kPopupApp3", Value::string(mail) } },
            { { "kApp0", sms }, { "kApp1", "folder" } }, { { "kPopupApp0", calc }, { "kPopupApp1", mail } },
            { { "kApp0", sms }, { "kPopupApp0", calc }, { "kPopupApp1", mail } }, true },
        { "no apps, folder on", true, { { "kPopupApp0", Value::string(calc) } }, { { "kApp0", "folder" } },
            { { "kPopupApp0", calc } }, { { "kPopupApp0", calc } }, false },
        // A number is no application; keys beyond the slots are not slots and stay as stored.
        { "wrong kinds and keys beyond the slots", false,
            { { "kApp0", Value::integer(5) }, { "kApp1", Value::string(sms) }, { "kApp7", Value::string(mail) },
                { "kAppX", Value::string(calc) }, { "kPopupApp9", Value::string(calc) } },
            { { "kApp0", sms } }, {},
            { { "kApp0", sms }, { "kApp7", mail }, { "kAppX", calc }, { "kPopupApp9", calc } }, true },
        { "a number in the last slot is never moved", false,
            { { "kApp0", Value::string(sms) }, { "kApp1", Value::real(2.5) } }, { { "kApp0", sms } }, {},
            { { "kApp0", sms }, { "kApp1", "<real>" } }, false },
    };
    boot();
    Object* view = lockView();
    ASSERT_NE(view, nullptr);
    Value defaults = storedSettings();
    for (const Case& c : cases) {
        Value settings = defaults;
        for (const auto& [key, value] : slotKeys(defaults))
            settings.erase(key);
        for (const auto& [key, value] : c.slots)
            settings.set(key, value);
        settings.set("folderEnabled", Value::boolean(c.folder));
        storeSettings(settings);
        std::size_t before = eventCount();
        runtime::send(view, Sel("setOmbrelSettings:"), settings);
        runtime::send(view, Sel("setupAppDictionaries"));
        EXPECT_EQ(strings(runtime::send<Value>(view, Sel("setApps"))), c.apps) << c.name;
        EXPECT_EQ(strings(runtime::send<Value>(view, Sel("setPopupApps"))), c.popupApps) << c.name;
        Value stored = storedSettings();
        EXPECT_EQ(slotKeys(stored), c.stored) << c.name;
        bool folderStored = stored.find("folderEnabled") && stored.find("folderEnabled")->boolValue();
        EXPECT_EQ(folderStored, c.folder && !c.popupApps.empty()) << c.name;
        auto events = eventsSince(before);
        EXPECT_EQ(std::count(events.begin(), events.end(), "settingsWritten"), c.written ? 1 : 0) << c.name;
    }
}

} // namespace
