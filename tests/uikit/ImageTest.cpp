// Images by name: a composite keeps its parts in the order given, stays an ordinary "UIImage"
// (size by name, answered through the runtime), and plain images have no parts.
#include "platform/uikit/Image.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace uikit;
using runtime::Ref;
using Parts = std::vector<std::string>;

namespace {

struct CompositeCase {
    const char* label;
    std::string name;
    Parts parts;
    bool made;
};

void PrintTo(const CompositeCase& c, std::ostream* os) { *os << c.label; }

class ImageComposite : public testing::TestWithParam<CompositeCase> { };

TEST_P(ImageComposite, KeepsNameAndPartsInOrder)
{
    const CompositeCase& c = GetParam();
    Ref<Image> image = Image::composite(c.name, c.parts);
    ASSERT_EQ(image != nullptr, c.made);
    if (!image)
        return;
    EXPECT_EQ(image->name(), c.name);
    EXPECT_EQ(image->parts(), c.parts);
    EXPECT_EQ(runtime::classOf(image.get()), runtime::lookUpClass("UIImage"));
}

INSTANTIATE_TEST_SUITE_P(Cases, ImageComposite,
    testing::Values(CompositeCase { "ThreeParts", "FolderMiniatures", { "AppIcon-b", "AppIcon-a", "AppIcon-b" }, true },
        CompositeCase { "NoParts", "FolderMiniatures", {}, true }, CompositeCase { "EmptyName", "", { "AppIcon-a" }, false }),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Image, PlainImagesHaveNoPartsAndCompositesHaveASizeByName)
{
    Image::setSizeProvider([](const std::string& name) -> std::optional<Size> {
        if (name == "FolderMiniatures")
            return Size { 57, 57 };
        return std::nullopt;
    });
    EXPECT_TRUE(Image::named("AppIcon-a")->parts().empty());
    EXPECT_TRUE(Image::blank({ 3, 4 })->parts().empty());

    Ref<Image> grid = Image::composite("FolderMiniatures", { "AppIcon-a" });
    Size size = runtime::send<Size>(grid.get(), runtime::Sel("size"));
    EXPECT_EQ(size.width, 57);
    EXPECT_EQ(size.height, 57);
    Image::setSizeProvider({});
}

} // namespace
