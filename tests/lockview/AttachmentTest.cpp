// The stock lock view tied to the system: the top bar captured and coloured, the stock slider bar
// hidden and slid, first-responder refusal, the charging view, the voice assistant and the
// pattern-lock add-on.
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Color.h"
#include "platform/uikit/ImageView.h"
#include "tests/lockview/DeviceFixture.h"

using namespace lockviewtest;
using quartz::Rect;
using runtime::Object;
using runtime::Sel;

namespace {

using Attachment = DeviceFixture;

Object* topBar(Object* stock) { return runtime::send<Object*>(stock, Sel("topBar")); }

TEST_F(Attachment, CapturesTheTopBarOnce)
{
    boot();
    Object* bar = topBar(stockLockView());
    ASSERT_NE(bar, nullptr);
    auto state = libraryState();
    EXPECT_FLOAT_EQ(state["topBarHeight"].get<float>(), runtime::send<Rect>(bar, Sel("frame")).size.height);
    EXPECT_EQ(state["initialised"], true);
    EXPECT_FALSE(runtime::send<bool>(stockLockView(), Sel("isMultipleTouchEnabled")));
    EXPECT_TRUE(runtime::send<bool>(stockLockView(), Sel("isExclusiveTouch")));
}

TEST_F(Attachment, FlatHeaderGetsATransparentImageAndTheThemeColour)
{
    struct Case {
        bool mediaControls;
        bool hideBackground;
        quartz::Float imageHeight;
    } cases[] = { { false, false, 96 }, { true, false, 133 }, { false, true, 96 } };
    for (auto c : cases) {
        ASSERT_EXIT(
            {
                makeRoot();
                setSetting("kDateHeaderFlat", "true");
                setSetting("kDateHeaderTheme", "_purple");
                setSetting("kDateHeaderAlpha", "0.8");
                if (c.hideBackground)
                    setSetting("kHideDateHeaderBackground", "true");
                options.mediaControls = c.mediaControls;
                boot();
                Object* bar = topBar(stockLockView());
                auto* image = static_cast<uikit::Image*>(runtime::send<Object*>(bar, Sel("image")));
                auto* colour = static_cast<uikit::Color*>(runtime::send<Object*>(bar, Sel("backgroundColor")));
                bool imageOk = image && image->name().empty() && image->size().height == c.imageHeight && image->size().width == 320;
                bool colourOk = c.hideBackground
                    ? !colour || colour->red != 0.275f
                    : colour && colour->red == 0.275f && colour->green == 0.047f && colour->blue == 0.447f && colour->alpha == 0.8f;
                std::exit(imageOk && colourOk ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << "media " << c.mediaControls << " hide background " << c.hideBackground;
    }
}

TEST_F(Attachment, DisabledHeaderIsHidden)
{
    makeRoot();
    setSetting("kDateHeaderDisabled", "true");
    boot();
    EXPECT_TRUE(runtime::send<bool>(topBar(stockLockView()), Sel("isHidden")));
    Object* controller = runtime::send<Object*>(runtime::lookUpClass("SBAwayController"), Sel("sharedAwayController"));
    EXPECT_TRUE(runtime::send<bool>(controller, Sel("shouldShowLockStatusBarTime")));
}

TEST_F(Attachment, PatternLockKeepsTheStockSliderAndPreparesTheLockView)
{
    options.androidLock = true;
    boot();
    Object* bar = runtime::send<Object*>(stockLockView(), Sel("lockBar"));
    EXPECT_FALSE(runtime::send<bool>(bar, Sel("isHidden")));
    Object* lv = lockView();
    runtime::send(stockLockView(), Sel("ombrelNotifyAndroidLockWillAppear"));
    EXPECT_TRUE(*runtime::ivarAddress<bool>(lv, "disableInteraction"));
    runtime::send(stockLockView(), Sel("ombrelNotifyAndroidLockDidDisappear"));
    EXPECT_FALSE(*runtime::ivarAddress<bool>(lv, "disableInteraction"));
}

TEST_F(Attachment, FirstResponderRefusedOnlyWithTheGuard)
{
    boot();
    Object* stock = stockLockView();
    bool hostAnswer = runtime::send<bool>(stock, Sel("canBecomeFirstResponder"));
    runtime::send(lockView(), Sel("disableResignResponder:"), true);
    EXPECT_FALSE(runtime::send<bool>(stock, Sel("canBecomeFirstResponder")));
    runtime::send(lockView(), Sel("disableResignResponder:"), false);
    EXPECT_EQ(runtime::send<bool>(stock, Sel("canBecomeFirstResponder")), hostAnswer);
}

TEST_F(Attachment, ChargingViewFollowsTheSetting)
{
    options.charging = true;
    makeRoot();
    setSetting("kDisableChargingView", "true");
    boot();
    EXPECT_FALSE(runtime::send<bool>(stockLockView(), Sel("shouldShowChargingView")));
}

TEST_F(Attachment, AssistantHidesAndShowsTheTrack)
{
    boot();
    device->wait(0.2);
    auto* thumb = static_cast<uikit::View*>(runtime::send<Object*>(lockView(), Sel("trackSlider")));
    device->setAssistantShowing(true);
    device->wait(0.2);
    EXPECT_FLOAT_EQ(thumb->presentedOpacity(), 0);
    device->setAssistantShowing(false);
    device->wait(0.2);
    EXPECT_FLOAT_EQ(thumb->presentedOpacity(), 1);
}

TEST_F(Attachment, StockSliderSlidesOutAndBack)
{
    makeRoot();
    setSetting("kLockBarDisabled", "false");
    boot();
    Object* stock = stockLockView();
    Object* bar = runtime::send<Object*>(stock, Sel("lockBar"));
    Rect start = runtime::send<Rect>(bar, Sel("frame"));
    quartz::Float height = runtime::send<Rect>(stock, Sel("frame")).size.height;
    runtime::send(stock, Sel("hideLockBar"));
    EXPECT_EQ(runtime::send<Rect>(bar, Sel("frame")).origin.y, height);
    device->wait(0.1);
    EXPECT_LT(static_cast<uikit::View*>(bar)->presentedFrame().origin.y, height); // still sliding
    runtime::send(stock, Sel("showLockBar"));
    EXPECT_EQ(runtime::send<Rect>(bar, Sel("frame")).origin.y, height - start.size.height);
}

} // namespace
