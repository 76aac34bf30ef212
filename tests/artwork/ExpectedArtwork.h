#pragma once
// The artwork the renderer looks up by name, with the natural size each file must declare.

#include <string>
#include <vector>

namespace ombrel::test {

enum class ArtworkKind { Theme, ApplicationIcon, Other };

struct ExpectedArtwork {
    std::string name;     // "<name>.svg" under sim/artwork
    double width, height; // points
    ArtworkKind kind;
};

// The theme suffixes the settings offer for kTrackTheme.
const std::vector<std::string>& trackThemeSuffixes();

// Every expected artwork: each theme family, the icon of every application of every device
// profile, the wallpapers, the folder square and the host's chrome.
const std::vector<ExpectedArtwork>& expectedArtworks();

// The folder the artwork lives in, and the path of one artwork there.
std::string artworkPath(const std::string& name);

} // namespace ombrel::test
