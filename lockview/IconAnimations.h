#pragma once
// The icons' animation builders. Each makes one new animation and touches no view, except that the
// bounces first clear the layer's animations so a bounce always starts clean. None sets a begin
// time, so the icons of one group operation move together. T below is the layer's stored
// transform; "T scaled" scales about the layer's centre on top of it.

#include "platform/quartz/Animation.h"
#include "platform/quartz/Layer.h"

namespace ombrel {

using quartz::Float;
using quartz::Point;
template<class T>
using Ref = runtime::Ref<T>;

// T·0 (0,0,0) → T·1.1 → T·0.9 → T at key times 0, 0.4, 0.6, 0.8; settles at 80 % of 0.25 s.
Ref<quartz::KeyframeAnimation> bounceInAnimationWithLayer(quartz::Layer*);
// T → T·1.2 → T·0 (0,0,1) at 0, 0.4, 0.6: gone at 60 % of 0.25 s.
Ref<quartz::KeyframeAnimation> bounceOutAnimationWithLayer(quartz::Layer*);
Ref<quartz::KeyframeAnimation> zoomInIconLayer(quartz::Layer*);          // T → T·1.15
Ref<quartz::KeyframeAnimation> zoomOutIconLayer(quartz::Layer*);         // T → T·0.9
Ref<quartz::KeyframeAnimation> normalizeIconLayer(quartz::Layer*);       // T·0.9 → T
Ref<quartz::KeyframeAnimation> normalizeZoomedIconLayer(quartz::Layer*); // T·1.15 → T
// Opacity 0 → a and a → 0 in 0.15 s, held (fill both), kept on the layer.
Ref<quartz::BasicAnimation> fadeInIcon(Float a);
Ref<quartz::BasicAnimation> fadeOutIcon(Float a);
// The fall: identity → down by p.y + 75 + (0..499) points, scaled by 0..2.5, in 0.3 s, with a
// timing function drawn at random; three draws of the platform's random source.
Ref<quartz::KeyframeAnimation> rainIconsDownToPoint(Point);

} // namespace ombrel
