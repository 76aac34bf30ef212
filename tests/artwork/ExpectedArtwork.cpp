#include "tests/artwork/ExpectedArtwork.h"

#include "sim/DeviceProfiles.h"

#include <set>

namespace ombrel::test {

const std::vector<std::string>& trackThemeSuffixes()
{
    static const std::vector<std::string> suffixes = { "_default", "_black", "_white", "_red" };
    return suffixes;
}

namespace {

std::vector<ExpectedArtwork> makeExpectedArtworks()
{
    std::vector<ExpectedArtwork> out;
    for (const std::string& suffix : trackThemeSuffixes()) {
        out.push_back({ "track" + suffix, 75, 75, ArtworkKind::Theme });
        out.push_back({ "track_thumb" + suffix, 75, 75, ArtworkKind::Theme });
        out.push_back({ "icon_cam" + suffix, 70, 70, ArtworkKind::Theme });
        out.push_back({ "icon_unlock" + suffix, 70, 70, ArtworkKind::Theme });
    }
    std::set<std::string> identifiers;
    for (const sim::DeviceProfile& profile : sim::deviceProfiles()) {
        for (const sim::ApplicationProfile& app : profile.applications) {
            if (identifiers.insert(app.identifier).second)
                out.push_back({ std::string("AppIcon-") + app.identifier, 57, 57, ArtworkKind::ApplicationIcon });
        }
    }
    const ExpectedArtwork others[] = {
        { "folder_sq", 57, 57, ArtworkKind::Other },
        { "Wallpaper", 320, 480, ArtworkKind::Other },
        { "Wallpaper-568h", 320, 568, ArtworkKind::Other },
        { "LCDBarBackground", 320, 96, ArtworkKind::Other },
        { "LCDBarShadow", 320, 4, ArtworkKind::Other },
        { "LockBarTrack", 320, 96, ArtworkKind::Other },
        { "LockBarKnob", 84, 46, ArtworkKind::Other },
        { "BatteryReflection", 200, 100, ArtworkKind::Other },
        { "SBBadgeBG", 29, 29, ArtworkKind::Other },
        { "IconShadow", 61, 61, ArtworkKind::Other },
        { "FolderIconBackground", 57, 57, ArtworkKind::Other },
    };
    out.insert(out.end(), std::begin(others), std::end(others));
    return out;
}

} // namespace

const std::vector<ExpectedArtwork>& expectedArtworks()
{
    static const std::vector<ExpectedArtwork> artworks = makeExpectedArtworks();
    return artworks;
}

std::string artworkPath(const std::string& name)
{
    return std::string(OMBREL_ARTWORK_DIR) + "/" + name + ".svg";
}

} // namespace ombrel::test
