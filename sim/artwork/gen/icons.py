"""Application icons: 57 x 57 points, a full-bleed rounded square (radius 10) with a glyph and gloss.

Each application has its own background colours and glyph; `ICONS` maps a bundle identifier to a
function that draws the glyph into the document.
"""

import math

from gen.svg import Svg, circle, el, gear_path, group, num, path, rrect

SIZE, RADIUS = 57, 10
WHITE = "#ffffff"


def star(cx, cy, outer, inner):
    """A five-pointed star, point up."""
    points = []
    for i in range(10):
        radius, angle = (outer, inner)[i % 2], math.pi * (i / 5 - 0.5)
        points.append(f"{num(cx + radius * math.cos(angle))} {num(cy + radius * math.sin(angle))}")
    return "M" + "L".join(points) + "Z"


def white_fill(svg):
    """A white glyph with a faint cool shade at its foot, so it reads as slightly raised."""
    return svg.linear([(0, WHITE), (1, "#e4e9ef")])


def app_store(svg):
    bag = white_fill(svg)
    svg.add(path("M22 24V18.5a6.5 6.5 0 0 1 13 0V24", fill="none", stroke=WHITE, stroke_width=2.8,
                 stroke_linecap="round"),
            path("M13.5 22.5H43.5L46.5 47.5H10.5Z", fill=bag, stroke=WHITE, stroke_width=2,
                 stroke_linejoin="round"),
            circle(22, 27, 1.8, fill="#4636c4"), circle(35, 27, 1.8, fill="#4636c4"),
            path(star(28.5, 35.5, 7.5, 3.2), fill="#5a4ae0"))


def messages(svg):
    svg.add(path("M28.5 10C17.5 10 9 17 9 26c0 5 2.6 9.4 6.8 12.3-.4 3.3-2.2 6.4-4.8 8.2 4.6.2 9-1.6"
                 " 11.6-4.4 1.9.4 3.8.6 5.9.6 11 0 19.5-7.2 19.5-16.7S39.5 10 28.5 10Z",
                 fill=white_fill(svg)))


def mail(svg):
    svg.add(rrect(8.5, 15, 40, 27, 2.5, fill=white_fill(svg)),
            path("M10 40L23.5 27.5M47 40L33.5 27.5", stroke="#c3ccd8", stroke_width=1.4),
            path("M9 16.5L28.5 31.5L48 16.5", fill="none", stroke="#8594a8", stroke_width=1.8,
                 stroke_linejoin="round"))


def settings(svg):
    metal = svg.linear([(0, "#5d646e"), (1, "#2f343b")])
    svg.add(path(gear_path(25, 25, 17, 13, 5.5, 12), fill=metal, fill_rule="evenodd"),
            path(gear_path(41, 41, 11, 8, 3.5, 9), fill=metal, fill_rule="evenodd"),
            circle(25, 25, 8.5, fill="none", stroke="#80868f", stroke_width=1.2))


def music(svg):
    note = white_fill(svg)
    svg.add(path("M21 17L43 12V38", fill="none", stroke=WHITE, stroke_width=3, stroke_linejoin="round"),
            path("M21 17L43 12V18L21 23Z", fill=WHITE),
            path("M21 17V43", stroke=WHITE, stroke_width=3),
            el("ellipse", cx=16.5, cy=43.5, rx=6, ry=4.5, fill=note, transform="rotate(-20 16.5 43.5)"),
            el("ellipse", cx=38.5, cy=38.5, rx=6, ry=4.5, fill=note, transform="rotate(-20 38.5 38.5)"))


def calculator(svg):
    grey, orange = svg.linear([(0, "#8b9097"), (1, "#5b6067")]), svg.linear([(0, "#ffb142"), (1, "#f07800")])
    keys = [rrect(8, 8, 41, 10, 2, fill=svg.linear([(0, "#d9e4cf"), (1, "#aebca3")]))]
    for row in range(3):
        for col in range(3):
            x, y = 8 + col * 14.5, 21.5 + row * 9.5
            keys.append(rrect(x, y, 12, 8, 2, fill=orange if col == 2 else grey))
    marks = "M43 23.5V27.5M41 25.5H45M41 35H45M41 43.5H45M41 45.5H45"
    svg.add(*keys, path(marks, stroke=WHITE, stroke_width=1.3, stroke_linecap="round"),
            rrect(40, 10, 5, 6, 2, fill="none", stroke="#4a5543", stroke_width=1.4))


def safari(svg):
    dial = svg.radial([(0, "#b8f0ff"), (0.7, "#2aa3d8"), (1, "#116a9e")], cy=0.4)
    svg.add(circle(28.5, 28.5, 22, fill=dial, stroke=WHITE, stroke_width=2.5),
            circle(28.5, 28.5, 17.5, fill="none", stroke=WHITE, stroke_width=2.5, stroke_dasharray="1 4.5",
                   stroke_opacity=0.8),
            path("M39.8 17.2L31 31L26 26Z", fill="#ff3b30"),
            path("M17.2 39.8L26 26L31 31Z", fill=WHITE),
            circle(28.5, 28.5, 1.6, fill="#7a8694"))


def phone(svg):
    handset = ("M18 11.5c1.7-.9 3.6-.4 4.6 1.2l3.4 6c.8 1.5.4 3.3-.9 4.3l-2.6 1.9c1.8 4.3 5.4 8.3 9.5"
               " 10.4l2-2.4c1.1-1.2 2.9-1.5 4.3-.6l5.8 3.7c1.5 1 2 3 1.1 4.6l-1.8 3.3c-1.3 2.3-4"
               " 3.5-6.6 2.8C25.8 42.3 15.2 31.7 12.7 20.3c-.6-2.6.6-5.3 2.9-6.5Z")
    svg.add(path(handset, fill=white_fill(svg), transform="translate(1 1)"))


def camera(svg):
    ring = svg.linear([(0, "#f2f4f6"), (1, "#8d949c")])
    glass = svg.radial([(0, "#4b5fa8"), (0.55, "#1a1f3d"), (1, "#05060c")], cx=0.42, cy=0.4)
    svg.add(circle(28.5, 28.5, 20, fill=ring),
            circle(28.5, 28.5, 16, fill="#15171b"),
            circle(28.5, 28.5, 12, fill=glass, stroke="#2c3140", stroke_width=1.2),
            circle(28.5, 28.5, 5, fill="#0a0c16", stroke="#3e4d8a", stroke_width=1),
            el("ellipse", cx=24, cy=23.5, rx=3.6, ry=2.4, fill=WHITE, fill_opacity=0.7,
               transform="rotate(-35 24 23.5)"))


def notes(svg):
    lines = "".join(f"M6 {y}H51" for y in range(21, 54, 6))
    rings = "".join(f"M{x} 4.5v6" for x in range(10, 50, 6))
    svg.add(rrect(6, 8, 45, 46, 2, fill=svg.linear([(0, "#fffbe0"), (1, "#fbe98a")])),
            path(lines, stroke="#8fb0cf", stroke_width=0.9),
            path("M14.5 8V54", stroke="#e0604f", stroke_width=0.9),
            path(rings, stroke="#6d7480", stroke_width=2.4, stroke_linecap="round"))


def contacts(svg):
    """A closed address book: pages along the right and bottom edges, a silhouette on the cover."""
    cover = svg.linear([(0, "#3fa7b8"), (1, "#1d6f82")])
    svg.add(rrect(12, 9, 38, 42, 3, fill="#f4f1ea", stroke="#c9c2b2", stroke_width=0.8),
            path("M16 50.5H49.5V13", fill="none", stroke="#d9d3c5", stroke_width=0.8),
            rrect(8, 6, 38, 42, 3, fill=cover),
            rrect(8, 6, 6, 42, 2, fill="#000000", fill_opacity=0.25),
            circle(30, 20.5, 6.5, fill=WHITE),
            path("M18.5 40c0-8 5.2-12 11.5-12s11.5 4 11.5 12Z", fill=WHITE))


def weather(svg):
    sun = svg.radial([(0, "#fff7b0"), (0.6, "#ffd233"), (1, "#ffa400")])
    cloud = svg.linear([(0, WHITE), (1, "#d5e4f3")], 0, 28, 0, 48, user=True)
    svg.add(circle(22, 21, 14, fill="#fff3a0", fill_opacity=0.3),
            circle(22, 21, 10, fill=sun),
            group(circle(27, 38, 8), circle(36.5, 33, 10), circle(45.5, 39.5, 7),
                  rrect(19, 38, 34, 10, 5), fill=cloud))


ICONS = {
    "com.apple.AppStore": (("#8a7dff", "#3d2fb5"), app_store),
    "com.apple.MobileSMS": (("#a6ef6a", "#3ca11f"), messages),
    "com.apple.mobilemail": (("#5fb0ff", "#1550c2"), mail),
    "com.apple.Preferences": (("#dfe2e6", "#8b929b"), settings),
    "com.apple.mobileipod": (("#ffc45e", "#f0610a"), music),
    "com.apple.calculator": (("#4b4e53", "#16171a"), calculator),
    "com.apple.mobilesafari": (("#ffffff", "#d3d9e0"), safari),
    "com.apple.mobilephone": (("#3fe0a4", "#08795a"), phone),
    "com.apple.camera": (("#9aa1a9", "#3b4047"), camera),
    "com.apple.mobilenotes": (("#f7d36b", "#d99a1e"), notes),
    "com.apple.MobileAddressBook": (("#e9d7b8", "#a98356"), contacts),
    "com.apple.weather": (("#7fd6ff", "#2a86e6"), weather),
}


def app_icon(bundle_id):
    (top, bottom), glyph = ICONS[bundle_id]
    svg = Svg(SIZE, SIZE)
    shape = rrect(0, 0, SIZE, SIZE, RADIUS)
    clip = svg.clip(shape)
    background = svg.linear([(0, top), (1, bottom)])
    svg.add(f'<g clip-path="{clip}">', rrect(0, 0, SIZE, SIZE, 0, fill=background))
    glyph(svg)
    gloss = svg.linear([(0, WHITE, 0.55), (1, WHITE, 0.08)])
    svg.add(path("M0 0H57V25C42 31 15 31 0 25Z", fill=gloss), "</g>",
            rrect(0.5, 0.5, 56, 56, 9.5, fill="none", stroke="#000000", stroke_opacity=0.22))
    return svg.text()
