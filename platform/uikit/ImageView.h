#pragma once
// "UIImageView": a view that shows an image. Registered methods: "initWithImage:" Object*(Object*)
// (frame at the origin with the image's size), "image" Object*, "setImage:" void(Object*).

#include "platform/uikit/Image.h"
#include "platform/uikit/View.h"

namespace uikit {

class ImageView : public View {
public:
    static runtime::Ref<ImageView> make(Image*);            // "UIImageView" + "initWithImage:"
    static runtime::Ref<ImageView> make(Rect frame);        // "UIImageView" + "initWithFrame:"

    Image* image() const;
    void setImage(Image*);

    runtime::Ref<Image> m_image; // behind the registered implementations
};

} // namespace uikit
