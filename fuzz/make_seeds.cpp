// Writes the seed corpus of the settings fuzzer into a folder: the defaults in XML and binary form,
// edited settings files as the settings pane and plug-ins leave them, and tiny edge files.
//   settings_fuzz_seeds fuzz/corpus

#include "platform/foundation/PropertyList.h"
#include "settings/DefaultSettings.h"

#include <cstdio>
#include <fstream>
#include <string>

using foundation::Value;

namespace {

void seed(const std::string& folder, const char* name, const std::string& bytes)
{
    std::ofstream(folder + "/" + name, std::ios::binary | std::ios::trunc) << bytes;
}

Value edited()
{
    Value settings = ombrel::defaultSettings();
    settings.set("enabled", Value::boolean(false));
    settings.set("kTrackTheme", Value::string("_pink"));
    settings.set("kIconSize", Value::real(62.5));
    settings.set("kApp3", Value::string("com.apple.mobilenotes"));
    settings.erase("kPopupApp2");
    settings.set("kPlugInCounter", Value::integer(-42));
    settings.set("kPlugInData", Value::data({0x00, 0xff, 0x10}));
    settings.set("kPlugInDate", Value::date(378691200.5));
    settings.set("kPlugInList", Value::array({Value::string("a"), Value::integer(1), Value::dictionary({})}));
    return settings;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: settings_fuzz_seeds FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    Value defaults = ombrel::defaultSettings();
    seed(folder, "defaults.xml", foundation::xmlPropertyList(defaults));
    seed(folder, "defaults.bplist", foundation::binaryPropertyList(defaults));
    seed(folder, "edited.xml", foundation::xmlPropertyList(edited()));
    seed(folder, "edited.bplist", foundation::binaryPropertyList(edited()));
    // What a pane leaves after one switch, and a file the loader fills in.
    seed(folder, "one-key.xml", foundation::xmlPropertyList(Value::dictionary({{"enabled", Value::boolean(false)}})));
    seed(folder, "one-key.bplist", foundation::binaryPropertyList(Value::dictionary({{"kIconSize", Value::integer(80)}})));
    // Wrong kinds for known keys: the loader keeps the file's own value.
    seed(folder, "wrong-kinds.xml", foundation::xmlPropertyList(Value::dictionary({{"enabled", Value::string("YES")},
        {"kIconSize", Value::string("80")}, {"kTrackTheme", Value::integer(3)}})));
    seed(folder, "empty-dict.xml", foundation::xmlPropertyList(Value::dictionary({})));
    seed(folder, "empty-dict.bplist", foundation::binaryPropertyList(Value::dictionary({})));
    seed(folder, "array-root.xml", foundation::xmlPropertyList(Value::array({Value::boolean(true)})));
    seed(folder, "string-root.bplist", foundation::binaryPropertyList(Value::string("enabled")));
    seed(folder, "tiny-dict.xml", "<plist><dict/></plist>");
    seed(folder, "bplist-header", "bplist00");
    seed(folder, "empty", "");
    seed(folder, "truncated.xml", foundation::xmlPropertyList(defaults).substr(0, 300));
    return 0;
}
