// "clipsToBounds": off by default, kept per view, and reached through the runtime so that a
// subclass's answer is the one the renderer sees.
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/View.h"
#include <gtest/gtest.h>

using namespace uikit;

namespace {

bool alwaysClips(runtime::Object*, runtime::Sel) { return true; }

TEST(ClipsToBounds, OffByDefaultAndSetPerView)
{
    auto a = View::make(quartz::makeRect(0, 0, 10, 10));
    auto b = View::make(quartz::makeRect(0, 0, 10, 10));
    EXPECT_FALSE(a->clipsToBounds());
    runtime::send<void>(a.get(), runtime::Sel("setClipsToBounds:"), true);
    EXPECT_TRUE(a->clipsToBounds());
    EXPECT_FALSE(b->clipsToBounds());
    a->setClipsToBounds(false);
    EXPECT_FALSE(runtime::send<bool>(a.get(), runtime::Sel("clipsToBounds")));
}

TEST(ClipsToBounds, ASubclassAnswerIsWhatCallersSee)
{
    runtime::ClassBuilder("ClippingView", "UIView").instancesOf<View>().method("clipsToBounds", &alwaysClips).registerClass();
    auto view = View::make("ClippingView", quartz::makeRect(0, 0, 10, 10));
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->clipsToBounds());
    EXPECT_FALSE(view->state().clipsToBounds);
}

} // namespace
