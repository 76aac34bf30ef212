"""Wallpapers, the host's stock chrome (bars, knob, badge, shadows, battery) and the folder square."""

from gen.svg import Svg, circle, el, num, path, rrect

WHITE, BLACK = "#ffffff", "#000000"


def wallpaper(height):
    """A calm dusk over three rows of hills, composed for the screen's height. The hills sit lower
    on a taller screen so the sky keeps the same share; the last 120 points are darker, where the
    thumb and buttons sit."""
    svg = Svg(320, height)
    h = height
    sky = svg.linear([(0, "#111b38"), (0.38, "#2b4575"), (0.62, "#b98273"), (0.72, "#e6b48a")])
    halo = svg.radial([(0, "#ffe8c4", 0.55), (1, "#ffe8c4", 0)])
    svg.add(rrect(0, 0, 320, h, 0, fill=sky),
            circle(226, h * 0.5, 70, fill=halo),
            circle(226, h * 0.5, 22, fill="#fff1d8", fill_opacity=0.9))
    hills = (
        (0.56, (-14, 10, -6), "#6a668f"),
        (0.65, (12, -16, 8), "#45466f"),
        (0.76, (-10, 14, -12), "#2a2c4d"),
        (0.88, (8, -6, 10), "#1b1c34"),
    )
    for level, (a, b, c), colour in hills:
        y = h * level
        svg.add(path(f"M0 {num(y + a)}C80 {num(y + a - 18)} 130 {num(y + b)} 190 {num(y + b)}"
                     f"S290 {num(y + c - 14)} 320 {num(y + c)}V{h}H0Z", fill=colour))
    shade = svg.linear([(0, BLACK, 0), (1, BLACK, 0.4)])
    svg.add(rrect(0, h - 120, 320, 120, 0, fill=shade))
    return svg.text()


def wallpapers():
    return {"Wallpaper": wallpaper(480), "Wallpaper-568h": wallpaper(568)}


def lcd_bar_background():
    svg = Svg(320, 96)
    glass = svg.linear([(0, "#3c3f44", 0.75), (0.5, "#15171a", 0.7), (1, BLACK, 0.65)])
    sheen = svg.linear([(0, WHITE, 0.16), (1, WHITE, 0.02)])
    svg.add(rrect(0, 0, 320, 96, 0, fill=glass),
            rrect(0, 0, 320, 46, 0, fill=sheen),
            path("M0 .5H320", stroke=WHITE, stroke_opacity=0.2),
            path("M0 95.5H320", stroke=WHITE, stroke_opacity=0.12))
    return svg.text()


def lcd_bar_shadow():
    svg = Svg(320, 4)
    svg.add(rrect(0, 0, 320, 4, 0, fill=svg.linear([(0, BLACK, 0.5), (1, BLACK, 0)])))
    return svg.text()


def lock_bar_track():
    """The bottom bar: the same dark glass as the top bar, with a sunken slot for the knob."""
    svg = Svg(320, 96)
    glass = svg.linear([(0, BLACK, 0.6), (0.5, "#15171a", 0.7), (1, "#3c3f44", 0.75)])
    slot = svg.linear([(0, BLACK, 0.7), (1, "#1c1e22", 0.55)])
    svg.add(rrect(0, 0, 320, 96, 0, fill=glass),
            path("M0 .5H320", stroke=WHITE, stroke_opacity=0.15),
            rrect(20, 22, 280, 52, 11, fill=slot),
            rrect(20.5, 22.5, 279, 51, 10.5, fill="none", stroke=BLACK, stroke_opacity=0.6),
            path("M31 74.5H289", stroke=WHITE, stroke_opacity=0.2))
    return svg.text()


def lock_bar_knob():
    svg = Svg(84, 46)
    face = svg.linear([(0, "#fdfdfd"), (0.5, "#e2e5e9"), (0.51, "#d2d6db"), (1, "#b4bac2")])
    svg.add(rrect(1, 1, 82, 44, 9, fill=face, stroke="#6f7780", stroke_width=1),
            path("M28 23H53M45 15L54 23L45 31", fill="none", stroke="#6d747d", stroke_width=4.5,
                 stroke_linecap="round", stroke_linejoin="round"))
    return svg.text()


def battery_reflection():
    """A charging battery with its reflection fading below it."""
    svg = Svg(200, 100)
    shell = svg.linear([(0, WHITE, 0.55), (1, WHITE, 0.2)])
    charge = svg.linear([(0, "#b6f58a"), (0.5, "#5fd038"), (1, "#2f9a1a")])
    battery = (rrect(36, 8, 120, 50, 9, fill=BLACK, fill_opacity=0.35, stroke=shell, stroke_width=3),
               rrect(158, 22, 7, 22, 3, fill=shell),
               rrect(41, 13, 80, 40, 5, fill=charge),
               path("M102 14L86 35H97L91 52L110 29H98Z", fill=WHITE, stroke="#2f7a1a", stroke_width=1,
                    stroke_linejoin="round"))
    fade = svg.mask(rrect(0, 60, 200, 40, 0, fill=svg.linear([(0, WHITE, 0.35), (0.8, WHITE, 0)])))
    svg.add(*battery,
            el("g", el("g", "".join(battery), transform="matrix(1 0 0 -1 0 119)"), mask=fade))
    return svg.text()


def badge():
    svg = Svg(29, 29)
    red = svg.linear([(0, "#ff6a5e"), (1, "#c50d00")])
    gloss = svg.linear([(0, WHITE, 0.7), (1, WHITE, 0.1)])
    svg.add(circle(14.5, 15.3, 13, fill=BLACK, fill_opacity=0.35),
            circle(14.5, 14.5, 13, fill=WHITE),
            circle(14.5, 14.5, 10.7, fill=red),
            el("ellipse", cx=14.5, cy=9.5, rx=8.5, ry=5.5, fill=gloss))
    return svg.text()


def icon_shadow():
    svg = Svg(61, 61)
    svg.add(rrect(4, 4, 53, 53, 10, fill=BLACK, fill_opacity=0.6, filter=svg.blur(2.2)))
    return svg.text()


def folder_icon_background():
    """The stock folder's dark glass square; the miniatures are drawn over it."""
    svg = Svg(57, 57)
    glass = svg.linear([(0, BLACK, 0.6), (1, "#202226", 0.45)])
    svg.add(rrect(0, 0, 57, 57, 10, fill=glass),
            rrect(0.5, 0.5, 56, 56, 9.5, fill="none", stroke=BLACK, stroke_opacity=0.5),
            path("M10 56.5H47", stroke=WHITE, stroke_opacity=0.3))
    return svg.text()


def folder_square():
    """The lock screen's own folder icon: a slate square with a manila folder, drawn into the
    folder icon view's 57 x 57 background image view."""
    svg = Svg(57, 57)
    slate = svg.linear([(0, "#7d93ad"), (1, "#3a4d66")])
    manila = svg.linear([(0, "#ffe7a8"), (1, "#e9b94f")])
    gloss = svg.linear([(0, WHITE, 0.5), (1, WHITE, 0.06)])
    svg.add(rrect(0, 0, 57, 57, 10, fill=slate),
            path("M11 17a2 2 0 0 1 2-2h9l3 3.5h18a2 2 0 0 1 2 2V23H11Z", fill="#d7a53c"),
            rrect(11, 21, 35, 24, 2, fill=manila),
            path("M11 26H46", stroke=WHITE, stroke_opacity=0.6),
            path("M0 10A10 10 0 0 1 10 0H47A10 10 0 0 1 57 10V25C42 31 15 31 0 25Z", fill=gloss),
            rrect(0.5, 0.5, 56, 56, 9.5, fill="none", stroke=BLACK, stroke_opacity=0.22))
    return svg.text()


def host_chrome():
    return {
        "LCDBarBackground": lcd_bar_background(),
        "LCDBarShadow": lcd_bar_shadow(),
        "LockBarTrack": lock_bar_track(),
        "LockBarKnob": lock_bar_knob(),
        "BatteryReflection": battery_reflection(),
        "SBBadgeBG": badge(),
        "IconShadow": icon_shadow(),
        "FolderIconBackground": folder_icon_background(),
    }
