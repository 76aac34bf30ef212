#include "platform/uikit/ImageView.h"
#include "platform/uikit/ViewSelectors.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"

namespace uikit {

namespace {

using runtime::Object;
using runtime::Sel;

const Sel& selImage() { static const Sel s("image"); return s; }
const Sel& selSetImage() { static const Sel s("setImage:"); return s; }
const Sel& selInitWithImage() { static const Sel s("initWithImage:"); return s; }

ImageView* IV(Object* o) { return static_cast<ImageView*>(o); }
Object* image(Object* o, Sel) { return IV(o)->m_image.get(); }
void setImage(Object* o, Sel, Object* image) { IV(o)->m_image = static_cast<Image*>(image); }

Object* initWithImage(Object* o, Sel, Object* img)
{
    Size size = img ? static_cast<Image*>(img)->size() : Size {};
    Object* made = runtime::send<Object*>(o, viewSelectors().initWithFrame, Rect { {}, size });
    runtime::send<void>(made, selSetImage(), img);
    return made;
}

runtime::Class* imageViewClass()
{
    static runtime::Class* cls = (viewClass(), runtime::ClassBuilder("UIImageView", "UIView"))
                                     .instancesOf<ImageView>()
                                     .method("image", &image)
                                     .method("setImage:", &setImage)
                                     .method("initWithImage:", &initWithImage)
                                     .registerClass();
    return cls;
}

[[maybe_unused]] const bool g_registered = imageViewClass() != nullptr;

} // namespace

runtime::Ref<ImageView> ImageView::make(Image* image)
{
    runtime::Ref<Object> fresh = runtime::alloc(imageViewClass());
    return runtime::Ref<ImageView>(static_cast<ImageView*>(runtime::send<Object*>(fresh.get(), selInitWithImage(), image)));
}

runtime::Ref<ImageView> ImageView::make(Rect frame)
{
    runtime::Ref<View> v = View::make("UIImageView", frame);
    return runtime::Ref<ImageView>(static_cast<ImageView*>(v.get()));
}

Image* ImageView::image() const { return static_cast<Image*>(runtime::send<Object*>(this, selImage())); }
void ImageView::setImage(Image* image) { runtime::send<void>(this, selSetImage(), image); }

} // namespace uikit
