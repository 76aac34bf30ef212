#!/usr/bin/env python3
"""Writes every artwork SVG of the simulated lock screen into this folder (or into --out DIR).

    python3 sim/artwork/make_artwork.py            # rewrite the committed files
    python3 sim/artwork/make_artwork.py --out DIR  # write elsewhere, e.g. to preview a change

The output is deterministic: running it twice gives the same files.
"""

import argparse
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.dont_write_bytecode = True  # keep the folder free of caches
sys.path.insert(0, str(HERE))

from gen import chrome, icons, track  # noqa: E402


def artworks():
    """Every artwork by name, in a stable order."""
    out = {}
    for suffix in track.THEMES:
        out.update(track.family(suffix))
    out["folder_sq"] = chrome.folder_square()
    for bundle_id in icons.ICONS:
        out["AppIcon-" + bundle_id] = icons.app_icon(bundle_id)
    out.update(chrome.wallpapers())
    out.update(chrome.host_chrome())
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=pathlib.Path, default=HERE)
    out = parser.parse_args().out
    out.mkdir(parents=True, exist_ok=True)
    for name, text in artworks().items():
        (out / f"{name}.svg").write_text(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
