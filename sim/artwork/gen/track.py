"""The unlock track family: the thumb at rest and pressed, and the camera and unlock buttons.

A theme is a palette; every theme draws the same shapes, so swapping the theme suffix never moves
an outline. The pressed thumb keeps the resting outline and shadow exactly (the lock view swaps the
two images under the finger) and only lights the face and the glyph.
"""

from dataclasses import dataclass

from gen.svg import Svg, circle, el, group, path, rrect


@dataclass(frozen=True)
class Theme:
    face: tuple          # knob and button face gradient, top to bottom
    edge: str            # outline
    glyph: str           # grip mark and button glyphs
    lit: tuple           # pressed knob face gradient
    accent: str          # glow of the pressed knob
    lit_glyph: str       # grip mark while pressed
    gloss: float = 0.55  # opacity of the white gloss on the upper half


THEMES = {
    "_default": Theme(("#f6f9fc", "#a7b2c0"), "#7d8690", "#4f5862",
                      ("#ffffff", "#cfe4fa"), "#3a8ee8", "#1f6fcf"),
    "_black": Theme(("#5c5c62", "#111113"), "#000000", "#cfcfd4",
                    ("#85858d", "#303035"), "#ffffff", "#ffffff", 0.25),
    "_white": Theme(("#ffffff", "#eeeeee"), "#c2c2c6", "#b4b4ba",
                    ("#ffffff", "#ffffff"), "#a6d8ff", "#6fb2ea", 0.4),
    "_red": Theme(("#ff7064", "#b0140b"), "#6e0904", "#ffffff",
                  ("#ffa396", "#e8301f"), "#ffd27a", "#ffffff", 0.45),
}

# The knob: a rounded square over a soft shadow, inside the 75 x 75 image.
KNOB = (9, 6, 57, 57, 13)


def closed_lock(colour, cx, cy):
    """A closed padlock: the thumb's grip mark."""
    return group(path(f"M{cx - 6} {cy - 3}v-4.5a6 6 0 0 1 12 0v4.5", fill="none", stroke=colour,
                      stroke_width=3.2),
                 rrect(cx - 9.5, cy - 3.5, 19, 14, 2.5, fill=colour),
                 circle(cx, cy + 2.5, 2, fill="#000000", fill_opacity=0.35))


def knob(theme, pressed):
    svg = Svg(75, 75)
    x, y, w, h, r = KNOB
    shadow = svg.blur(2.2)
    top, bottom = theme.lit if pressed else theme.face
    face = svg.linear([(0, top), (1, bottom)])
    gloss = svg.linear([(0, "#ffffff", theme.gloss), (1, "#ffffff", 0.05)])
    svg.add(rrect(x, y + 3, w, h, r, fill="#000000", fill_opacity=0.5, filter=shadow),
            rrect(x, y, w, h, r, fill=face, stroke=theme.edge, stroke_width=1))
    if pressed:
        glow = svg.radial([(0, theme.accent, 0.55), (1, theme.accent, 0)], r=0.55)
        svg.add(rrect(x, y, w, h, r, fill=glow),
                rrect(x + 2, y + 2, w - 4, h - 4, r - 2, fill="none", stroke=theme.accent, stroke_width=2,
                      stroke_opacity=0.8))
    svg.add(path(f"M{x + r} {y + 1}H{x + w - r}a{r - 1} {r - 1} 0 0 1 {r - 1} {r - 1}V{y + h * 0.45}"
                 f"C{x + w * 0.7} {y + h * 0.55} {x + w * 0.3} {y + h * 0.55} {x + 1} {y + h * 0.45}"
                 f"V{y + r}a{r - 1} {r - 1} 0 0 1 {r - 1} {-(r - 1)}Z", fill=gloss),
            closed_lock(theme.lit_glyph if pressed else theme.glyph, x + w / 2, y + h / 2 + 1))
    return svg.text()


def camera_glyph(colour, hole):
    return group(rrect(29, 22.5, 12, 6, 2, fill=colour),
                 rrect(20.5, 26, 29, 19.5, 4, fill=colour),
                 circle(35, 35.75, 6.8, fill=hole),
                 circle(35, 35.75, 4, fill=colour),
                 circle(44.5, 29.8, 1.3, fill=hole))


def open_lock_glyph(colour, hole):
    return group(path("M29 33V24a6 6 0 0 1 12 0v3.5", fill="none", stroke=colour, stroke_width=3.4,
                      stroke_linecap="round"),
                 rrect(24.5, 32.5, 21, 15.5, 2.5, fill=colour),
                 circle(35, 38.5, 2.2, fill=hole),
                 rrect(34, 39.5, 2, 4.5, 1, fill=hole))


def button(theme, glyph):
    svg = Svg(70, 70)
    shadow = svg.blur(2)
    top, bottom = theme.face
    face = svg.linear([(0, top), (1, bottom)])
    gloss = svg.linear([(0, "#ffffff", theme.gloss), (1, "#ffffff", 0.03)])
    svg.add(circle(35, 36.5, 29, fill="#000000", fill_opacity=0.5, filter=shadow),
            circle(35, 34, 29, fill=face, stroke=theme.edge, stroke_width=1.2),
            circle(35, 34, 26.5, fill="none", stroke="#ffffff", stroke_opacity=0.3),
            el("ellipse", cx=35, cy=20, rx=23, ry=13, fill=gloss),
            glyph(theme.glyph, bottom))
    return svg.text()


def family(suffix):
    """The four images of one theme, by name."""
    theme = THEMES[suffix]
    return {
        "track" + suffix: knob(theme, pressed=False),
        "track_thumb" + suffix: knob(theme, pressed=True),
        "icon_cam" + suffix: button(theme, camera_glyph),
        "icon_unlock" + suffix: button(theme, open_lock_glyph),
    }
