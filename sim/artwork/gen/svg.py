"""A tiny SVG writer: one document, its shared definitions and compact number formatting.

Every artwork is written through `Svg` so that all files share the same header, use plain user
units (width and height are the natural size in points) and get short, unique definition ids.
"""

import math


def num(value):
    """A number with at most two decimals and no trailing zeros: 12, 12.5, 0.25."""
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def attrs(**values):
    """SVG attributes from keyword arguments: `stroke_width=2` becomes `stroke-width="2"`."""
    parts = []
    for key, value in values.items():
        if value is None:
            continue
        name = key.rstrip("_").replace("_", "-")
        parts.append(f'{name}="{num(value) if isinstance(value, (int, float)) else value}"')
    return " ".join(parts)


def el(tag, inner="", **values):
    """One element; empty when it has no children."""
    head = f"<{tag} {attrs(**values)}".rstrip()
    return f"{head}>{inner}</{tag}>" if inner else f"{head}/>"


def rrect(x, y, w, h, r, **values):
    return el("rect", x=x, y=y, width=w, height=h, rx=r, **values)


def circle(cx, cy, r, **values):
    return el("circle", cx=cx, cy=cy, r=r, **values)


def path(d, **values):
    return el("path", d=d, **values)


def group(*children, **values):
    return el("g", "".join(children), **values)


def gear_path(cx, cy, outer, inner, hole, teeth):
    """A gear outline with a round hole (fill-rule evenodd): trapezoid teeth around a rim."""
    points = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = i * step - math.pi / 2
        for angle, radius in ((a - step * 0.30, inner), (a - step * 0.16, outer),
                              (a + step * 0.16, outer), (a + step * 0.30, inner)):
            points.append(f"{num(cx + radius * math.cos(angle))} {num(cy + radius * math.sin(angle))}")
    rim = "M" + " L".join(points) + "Z"
    ring = (f"M{num(cx + hole)} {num(cy)}A{num(hole)} {num(hole)} 0 1 0 {num(cx - hole)} {num(cy)}"
            f"A{num(hole)} {num(hole)} 0 1 0 {num(cx + hole)} {num(cy)}Z")
    return rim + ring


class Svg:
    """One document of `width` x `height` points. Definitions get ids "a", "b", ... in order."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.defs, self.body = [], []

    def _define(self, tag, inner, **values):
        ident = chr(ord("a") + len(self.defs)) if len(self.defs) < 26 else f"d{len(self.defs)}"
        self.defs.append(el(tag, inner, id=ident, **values))
        return f"url(#{ident})"

    @staticmethod
    def _stops(stops):
        out = []
        for stop in stops:
            offset, colour = stop[0], stop[1]
            opacity = stop[2] if len(stop) > 2 else None
            out.append(el("stop", offset=offset, stop_color=colour, stop_opacity=opacity))
        return "".join(out)

    def linear(self, stops, x1=0, y1=0, x2=0, y2=1, user=False):
        """A linear gradient, top to bottom of the shape by default; `user` takes points."""
        return self._define("linearGradient", self._stops(stops), x1=x1, y1=y1, x2=x2, y2=y2,
                            gradientUnits="userSpaceOnUse" if user else None)

    def radial(self, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None, user=False):
        return self._define("radialGradient", self._stops(stops), cx=cx, cy=cy, r=r, fx=fx, fy=fy,
                            gradientUnits="userSpaceOnUse" if user else None)

    def blur(self, deviation):
        """A gaussian blur with room around the shape for the soft edge."""
        inner = el("feGaussianBlur", stdDeviation=deviation)
        return self._define("filter", inner, x="-50%", y="-50%", width="200%", height="200%")

    def clip(self, *shapes):
        return self._define("clipPath", "".join(shapes))

    def mask(self, *shapes):
        return self._define("mask", "".join(shapes), maskUnits="userSpaceOnUse",
                            x=0, y=0, width=self.width, height=self.height)

    def add(self, *markup):
        self.body.extend(markup)
        return self

    def text(self):
        size = attrs(width=self.width, height=self.height, viewBox=f"0 0 {self.width} {self.height}")
        defs = el("defs", "".join(self.defs)) if self.defs else ""
        body = "\n".join(self.body)
        return f'<svg xmlns="http://www.w3.org/2000/svg" {size}>\n{defs}\n{body}\n</svg>\n'
