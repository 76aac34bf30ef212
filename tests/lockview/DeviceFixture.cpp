#include "tests/lockview/DeviceFixture.h"
#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Window.h"
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace lockviewtest {

namespace {

int runCommand(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

runtime::Object* findView(uikit::View* view, const char* className)
{
    if (view->className() == className)
        return view;
    for (auto& sub : view->subviews())
        if (runtime::Object* found = findView(sub.get(), className))
            return found;
    return nullptr;
}

} // namespace

void DeviceFixture::makeRoot(const std::string& profile, std::optional<std::string> passcode)
{
    if (!root.empty())
        return;
    std::string templ = (std::filesystem::temp_directory_path() / "ombrel-lockview.XXXXXX").string();
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    root = templ;
    std::vector<std::string> args { OMBREL_COMMAND_PATH, "init", "--root", root, "--profile", profile };
    if (passcode) {
        args.push_back("--passcode");
        args.push_back(*passcode);
    }
    ASSERT_EQ(runCommand(args), 0);
}

void DeviceFixture::boot()
{
    makeRoot();
    device = host::makeInProcessDevice();
    options.root = root;
    options.libraryPath = OMBREL_LIBRARY_PATH;
    auto status = device->boot(options);
    ASSERT_TRUE(status) << status.error;
}

void DeviceFixture::TearDown()
{
    device.reset();
    if (!root.empty())
        std::filesystem::remove_all(root);
}

void DeviceFixture::setSetting(const std::string& key, const std::string& value)
{
    ASSERT_FALSE(root.empty());
    ASSERT_EQ(runCommand({ OMBREL_COMMAND_PATH, "settings", "--root", root, "set", key, value }), 0);
}

runtime::Object* DeviceFixture::lockView() const
{
    static const runtime::Sel ombrelView("ombrelView");
    for (uikit::Window* w : device->windows())
        if (w->className() == "SBAlertWindow")
            return runtime::send<runtime::Object*>(w, ombrelView);
    return nullptr;
}

std::vector<uikit::View*> DeviceFixture::viewsWithTag(std::int32_t tag) const
{
    std::vector<uikit::View*> found;
    if (uikit::View* view = lockViewAsView())
        for (auto& sub : view->subviews())
            if (sub->tag() == tag)
                found.push_back(sub.get());
    return found;
}

std::string DeviceFixture::settingsPath() const { return root + "/var/mobile/Library/Preferences/com.qx.ombrel.plist"; }

foundation::Value DeviceFixture::storedSettings() const
{
    return foundation::readPropertyList(settingsPath()).value_or(foundation::Value());
}

void DeviceFixture::storeSettings(const foundation::Value& settings)
{
    ASSERT_TRUE(foundation::writePropertyList(settingsPath(), settings));
}

runtime::Object* DeviceFixture::stockLockView() const
{
    for (uikit::Window* w : device->windows())
        if (runtime::Object* found = findView(w, "SBAwayView"))
            return found;
    return nullptr;
}

nlohmann::json DeviceFixture::libraryState() const
{
    auto report = reinterpret_cast<const char* (*)()>(device->librarySymbol("ombrelStateJSON"));
    return report ? nlohmann::json::parse(report()) : nlohmann::json();
}

std::vector<std::string> DeviceFixture::eventsSince(std::size_t index) const
{
    std::vector<std::string> names;
    auto trace = device->trace();
    for (std::size_t i = index; i < trace.size(); ++i) {
        std::string name = trace[i].name;
        if (trace[i].fields.contains("name"))
            name += " " + trace[i].fields["name"].get<std::string>();
        names.push_back(name);
    }
    return names;
}

} // namespace lockviewtest
