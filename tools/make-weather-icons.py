#!/usr/bin/env python3
"""Renders the weather icons of install/LargeWeatherIcons (2048 x 2048: the weather picture
draws them up to the work area's height, over 2,000 pixels on a 3840 x 2160 screen) and
install/SmallWeatherIcons (64 x 64) from the fill-style SVGs of the npm package
@bybas/weather-icons (MIT), fetched by tools/fetch-npm-sources.sh.

The SVGs are animated (SMIL). An image renderer draws an animated SVG with its static
attribute values, which for falling drops or blowing wind is not a moment the animation ever
shows. So each source is first turned into one still frame: every animation is evaluated at a
chosen time and written into the element's attributes, and the animation elements are removed.
Some pictures are composed from several sources (a small cloud in front of the sun for "Fair").
The composed SVGs are kept in build/weather-icons/ for inspection; rsvg-convert (Debian's
librsvg2-bin) rasterises them with transparency.

Usage: make-weather-icons.py [--icons DIR] [--output DIR]
"""

import argparse
import copy
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_ICONS = os.path.join(ROOT, "build", "tools-npm", "weather-icons", "production", "fill", "all")
DEFAULT_OUTPUT = os.path.join(ROOT, "install")
WORK = os.path.join(ROOT, "build", "weather-icons")

SVG = "http://www.w3.org/2000/svg"
XLINK = "http://www.w3.org/1999/xlink"
ET.register_namespace("", SVG)
ET.register_namespace("xlink", XLINK)

LARGE = 2048
SMALL = 64

# The part of the sources' 64 x 64 canvas that is drawn: the icons leave a wide empty margin,
# so a slightly smaller window makes the shapes larger in the same pixels.
VIEW_BOX = "3 3 58 58"


def layer(source, parts=None, scale=1.0, origin=(32, 32), dx=0.0, dy=0.0, time=0.0, phase=None,
          recolor=None, drop=()):
    """One source SVG, or some of its shapes, in a picture.

    parts: (first, end) of the source's shapes (its top-level elements after <defs>) to take,
        end None for all the rest; None takes the whole picture. Precipitation is drawn after the
        cloud, so (0, 1) is the cloud and (1, None) the drops or flakes.
    scale, origin, dx, dy: scaled about the origin (the canvas centre unless given), then moved
        by (dx, dy).
    time: the animation time in seconds at which the still frame is taken.
    phase: if set, every animation is taken at this fraction of its cycle instead (all drops
        of a shower at the same height).
    recolor: {old colour: new colour} for fill and stroke values.
    drop: attribute names removed everywhere (e.g. a dash pattern that animates a line's drawing).
    """
    return {"source": source, "parts": parts, "scale": scale, "origin": origin, "dx": dx, "dy": dy,
            "time": time, "phase": phase, "recolor": recolor or {}, "drop": drop}


# The small cloud of "Fair" (the cloud of "cloudy", scaled down, at the lower right).
SMALL_CLOUD = layer("cloudy", scale=0.56, dx=9, dy=7, phase=0.25)


def precipitation(source, cloud=None, grow=1.9, **frame):
    """A cloud, a little smaller and raised, with the source's drops, flakes or hail grown below
    it, so that they still read in the 64-pixel icons. `cloud` replaces the source's own cloud."""
    sky = dict(cloud or layer(source, parts=(0, 1)), scale=0.9, origin=(32, 34))
    sky["dy"] -= 7
    return [sky, layer(source, parts=(1, None), scale=grow, origin=(31, 45), dy=-5, **frame)]


# Every picture the program loads, by file name, and what it shows.
#  - cloud cover rises from Clear (sun) over Fair (sun, small cloud), Partly Cloudy (sun and a
#    cloud) and Mostly Cloudy (sun behind a white and a grey cloud) to Cloudy (no sun); the
#    night pictures show the moon instead of the sun.
#  - the pictures also used by night (fog, haze, precipitation, wind, cold) show no sun.
#  - Rain Showers: light drops from a white cloud; Rain: long drops from a grey and white cloud.
ICONS = {
    "Clear.png": [layer("clear-day")],
    "Night Clear.png": [layer("clear-night")],
    "Fair.png": [layer("clear-day", scale=0.86, dx=-4, dy=-5), SMALL_CLOUD],
    "Night Fair.png": [layer("clear-night", scale=0.86, dx=-4, dy=-5), SMALL_CLOUD],
    "Partly Cloudy.png": [layer("clear-day", scale=0.8, dx=-7, dy=-7),
                          layer("cloudy", scale=0.82, dx=5, dy=4, phase=0.25)],
    "Night Partly Cloudy.png": [layer("clear-night", scale=0.8, dx=-7, dy=-7),
                                layer("cloudy", scale=0.82, dx=5, dy=4, phase=0.25)],
    "Mostly Cloudy.png": [layer("overcast-day", phase=0.25)],
    "Night Mostly Cloudy.png": [layer("overcast-night", phase=0.25)],
    "Cloudy.png": [layer("overcast", phase=0.25)],
    "Fog.png": [layer("fog", dy=-4, phase=0.25)],
    "Haze.png": [layer("haze", dy=-4, phase=0.25)],
    "Cold.png": [layer("thermometer-colder", time=0.75)],
    "Windy.png": [layer("wind", drop=("stroke-dasharray",))],
    # drizzle.svg gives each drop a gradient placed at another drop (and the third one a
    # gradient it lacks); a solid blue draws all three alike.
    "Rain Showers.png": precipitation("drizzle", phase=0.45, recolor={
        "url(#c)": "#2f7ae5", "url(#d)": "#2f7ae5", "url(#e)": "#2f7ae5"}),
    "Rain.png": precipitation("rain", cloud=layer("overcast", phase=0.25), phase=0.45),
    "Snow.png": precipitation("snow", grow=1.7, phase=0.45),
    "Hail.png": precipitation("hail", phase=0.25),
    # sleet.svg's two flakes, with the middle drop of rain.svg between them.
    "Rain and Snow.png": precipitation("sleet")[:1] + [
        layer("sleet", parts=(1, 3), scale=1.7, origin=(31, 45), dy=-5, phase=0.45),
        layer("rain", parts=(2, 3), scale=1.7, origin=(31, 45), dy=-5, phase=0.45)],
    "Thunderstorms.png": [layer("thunderstorms-rain", dy=-3, time=0.5)],
    # Shown when there is no weather to show; light, to read on the dark window panel.
    "NA.png": [layer("not-available", scale=1.15, recolor={"#374151": "#e5e7eb"})],
}
LARGE_ONLY = {"NA.png"}


def seconds(text):
    text = (text or "0s").strip()
    if text.endswith("ms"):
        return float(text[:-2]) / 1000
    return float(text.rstrip("s") or 0)


def numbers(text):
    return [float(v) for v in re.findall(r"-?\d*\.?\d+(?:e-?\d+)?", text)]


def interpolate(anim, at, phase=None):
    """The value list of an animation at time `at` (or at a fixed phase of its cycle)."""
    values = [numbers(v) for v in anim.get("values", "").split(";") if v.strip()]
    if not values:
        raise ValueError("animation without values")
    if phase is None:
        duration = seconds(anim.get("dur"))
        local = at - seconds(anim.get("begin"))
        if local < 0 or duration <= 0:
            return None
        phase = (local % duration) / duration
    if len(values) == 1:
        return values[0]
    key_times = anim.get("keyTimes")
    times = ([float(t) for t in key_times.split(";")] if key_times
             else [i / (len(values) - 1) for i in range(len(values))])
    for i in range(len(values) - 1):
        if times[i] <= phase <= times[i + 1]:
            span = times[i + 1] - times[i]
            f = (phase - times[i]) / span if span > 0 else 0.0
            return [a + (b - a) * f for a, b in zip(values[i], values[i + 1])]
    return values[-1]


def transform_text(kind, v):
    if kind == "translate":
        return "translate(%g %g)" % (v[0], v[1] if len(v) > 1 else 0)
    if kind == "rotate":
        return "rotate(%g %g %g)" % (v[0], v[1] if len(v) > 1 else 0, v[2] if len(v) > 2 else 0)
    if kind == "scale":
        return "scale(%g %g)" % (v[0], v[1] if len(v) > 1 else v[0])
    raise ValueError("unsupported animateTransform type " + kind)


def freeze(root, at, phase):
    """Writes every animation's value at time `at` into its parent and removes the animation."""
    for parent in list(root.iter()):
        animations = [c for c in parent if c.tag in ("{%s}animate" % SVG, "{%s}animateTransform" % SVG)]
        transforms = {}
        for anim in animations:
            parent.remove(anim)
            value = interpolate(anim, at, phase)
            if value is None:
                continue
            name = anim.get("attributeName")
            if anim.tag.endswith("animateTransform"):
                text = transform_text(anim.get("type", "translate"), value)
                if anim.get("additive") == "sum":
                    transforms.setdefault(name, [parent.get(name, "")]).append(text)
                else:
                    transforms[name] = [text]
            else:
                parent.set(name, "%g" % value[0])
        for name, parts in transforms.items():
            parent.set(name, " ".join(p for p in parts if p))


def prefix_ids(root, prefix):
    """Makes the ids of one source unique inside a composed picture."""
    for el in root.iter():
        if "id" in el.attrib:
            el.set("id", prefix + el.get("id"))
        for key, value in list(el.attrib.items()):
            if key in ("href", "{%s}href" % XLINK) and value.startswith("#"):
                el.set(key, "#" + prefix + value[1:])
            elif "url(#" in value:
                el.set(key, value.replace("url(#", "url(#" + prefix))


def repair_paint_references(root):
    """Points a paint reference to an id the file lacks (drizzle.svg's third drop uses a gradient
    it never defines, so that drop is never drawn) at the one the shape before it uses."""
    ids = {el.get("id") for el in root.iter() if el.get("id")}
    previous = {}
    for el in root.iter():
        for key in ("fill", "stroke"):
            value = el.get(key, "")
            match = re.fullmatch(r"url\(#([^)]+)\)", value)
            if not match:
                continue
            if match.group(1) in ids:
                previous[key] = value
            elif key in previous:
                el.set(key, previous[key])


def apply_options(root, lay):
    for el in root.iter():
        for name in lay["drop"]:
            el.attrib.pop(name, None)
        for key in ("fill", "stroke", "stop-color"):  # before the ids get their layer prefix
            if el.get(key) in lay["recolor"]:
                el.set(key, lay["recolor"][el.get(key)])


def compose(layers, icons_dir):
    svg = ET.Element("{%s}svg" % SVG, {"viewBox": VIEW_BOX, "width": "64", "height": "64"})
    for index, lay in enumerate(layers):
        path = os.path.join(icons_dir, lay["source"] + ".svg")
        source = ET.parse(path).getroot()
        if source.get("viewBox") != "0 0 64 64":
            raise SystemExit("make-weather-icons: %s is not drawn on a 64 x 64 canvas" % path)
        freeze(source, lay["time"], lay["phase"])
        apply_options(source, lay)
        repair_paint_references(source)
        prefix_ids(source, "l%d" % index)
        s, (ox, oy), dx, dy = lay["scale"], lay["origin"], lay["dx"], lay["dy"]
        group = ET.SubElement(svg, "{%s}g" % SVG)
        if (s, dx, dy) != (1.0, 0.0, 0.0):
            group.set("transform", "translate(%g %g) scale(%g) translate(%g %g)" % (ox + dx, oy + dy, s, -ox, -oy))
        shapes = [c for c in source if c.tag != "{%s}defs" % SVG]
        if lay["parts"] is not None:
            first, end = lay["parts"]
            shapes = shapes[first:end]
        for child in source:
            if child.tag == "{%s}defs" % SVG or any(child is shape for shape in shapes):
                group.append(copy.deepcopy(child))
    return ET.tostring(svg, encoding="unicode")


def rasterise(svg_path, png_path, size):
    subprocess.run(["rsvg-convert", "--format=png", "--width=%d" % size, "--height=%d" % size,
                    "--output", png_path, svg_path], check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--icons", default=DEFAULT_ICONS, help="the fill-style SVG folder")
    parser.add_argument("--output", default=DEFAULT_OUTPUT, help="the installation folder")
    args = parser.parse_args()
    if not os.path.isdir(args.icons):
        sys.exit("make-weather-icons: %s not found (run tools/fetch-npm-sources.sh)" % args.icons)
    if not shutil.which("rsvg-convert"):
        sys.exit("make-weather-icons: rsvg-convert not found (apt-get install librsvg2-bin)")

    large_dir = os.path.join(args.output, "LargeWeatherIcons")
    small_dir = os.path.join(args.output, "SmallWeatherIcons")
    for folder in (large_dir, small_dir, WORK):
        os.makedirs(folder, exist_ok=True)
    for name, layers in ICONS.items():
        svg_path = os.path.join(WORK, name[:-4] + ".svg")
        with open(svg_path, "w", encoding="utf-8") as f:
            f.write(compose(layers, args.icons))
        rasterise(svg_path, os.path.join(large_dir, name), LARGE)
        if name not in LARGE_ONLY:
            rasterise(svg_path, os.path.join(small_dir, name), SMALL)
    print("make-weather-icons: %d pictures in %s and %d in %s"
          % (len(ICONS), os.path.relpath(large_dir), len(ICONS) - len(LARGE_ONLY), os.path.relpath(small_dir)))


if __name__ == "__main__":
    main()
