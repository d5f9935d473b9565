#!/usr/bin/env python3
"""Writes varnelo-skin.svg, the default skin's document (see skins/README.md).

The SVG is the skin's source that the build compresses into du3vor.dll; this
script only saves typing the repeated key looks. Run it after editing and
commit both files:  python3 skins/default/make-skin.py
"""
import math
import os

MAIN = (0, 0, 383, 207)      # form "ve3zod": place in the document, size
LIST = (0, 230, 580, 246)    # form "listwin"

ICON = "#d5dae1"
ICON_HOVER = "#ffffff"
ICON_PRESSED = "#aeb6c0"
ICON_DISABLED = "#5a6068"
ACCENT = "#ff4438"
LCD_TEXT = "#8fe3ff"


def defs():
    return """
  <defs>
    <linearGradient id="body" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#30343b"/><stop offset="0.5" stop-color="#23262b"/>
      <stop offset="1" stop-color="#17191d"/>
    </linearGradient>
    <linearGradient id="titlebar" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#3a3f47"/><stop offset="1" stop-color="#2a2e34"/>
    </linearGradient>
    <linearGradient id="lcd" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#0a1a20"/><stop offset="1" stop-color="#06100f"/>
    </linearGradient>
    <linearGradient id="lcdglare" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff" stop-opacity="0.07"/>
      <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>
    </linearGradient>
    <linearGradient id="bezel" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#0b0c0e"/><stop offset="1" stop-color="#3b4048"/>
    </linearGradient>
    <linearGradient id="key" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#454b54"/><stop offset="1" stop-color="#2a2e34"/>
    </linearGradient>
    <linearGradient id="keyhover" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#565d68"/><stop offset="1" stop-color="#343941"/>
    </linearGradient>
    <linearGradient id="keypressed" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#1b1d21"/><stop offset="1" stop-color="#2c3036"/>
    </linearGradient>
    <linearGradient id="groove" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#050607"/><stop offset="1" stop-color="#1d2025"/>
    </linearGradient>
    <linearGradient id="progress" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#1aa9d6"/><stop offset="1" stop-color="#6fe3ff"/>
    </linearGradient>
    <radialGradient id="knob" cx="0.4" cy="0.35" r="0.7">
      <stop offset="0" stop-color="#ffffff"/><stop offset="0.6" stop-color="#c9ced6"/>
      <stop offset="1" stop-color="#8a919b"/>
    </radialGradient>
    <radialGradient id="knobhover" cx="0.4" cy="0.35" r="0.7">
      <stop offset="0" stop-color="#ffffff"/><stop offset="0.6" stop-color="#e4f7ff"/>
      <stop offset="1" stop-color="#8fd8f0"/>
    </radialGradient>
    <radialGradient id="recdot" cx="0.4" cy="0.35" r="0.7">
      <stop offset="0" stop-color="#ff8a80"/><stop offset="0.55" stop-color="#ff3b30"/>
      <stop offset="1" stop-color="#b3140c"/>
    </radialGradient>
    <radialGradient id="recglow" cx="0.5" cy="0.5" r="0.5">
      <stop offset="0" stop-color="#ff3b30" stop-opacity="0.45"/>
      <stop offset="1" stop-color="#ff3b30" stop-opacity="0"/>
    </radialGradient>
  </defs>"""


# ---- icons: drawn in a 16 x 16 box centred on (cx, cy) -------------------

def icon(name, cx, cy, color, state):
    x, y = cx - 8, cy - 8
    g = f'<g transform="translate({x:.1f},{y:.1f})">'
    def st(width=1.8):
        return f'stroke="{color}" stroke-width="{width}" stroke-linecap="round" stroke-linejoin="round" fill="none"'
    s = st()
    f = f'fill="{color}"'
    if name == "record":
        fill = "url(#recdot)" if state != "disabled" else ICON_DISABLED
        glow = '<circle cx="8" cy="8" r="8" fill="url(#recglow)"/>' if state == "hover" else ""
        body = f'{glow}<circle cx="8" cy="8" r="5.5" fill="{fill}"/>'
    elif name == "pause":
        body = f'<rect x="3.5" y="3" width="3.2" height="10" rx="0.8" {f}/><rect x="9.3" y="3" width="3.2" height="10" rx="0.8" {f}/>'
    elif name == "stop":
        body = f'<rect x="3.5" y="3.5" width="9" height="9" rx="1.5" {f}/>'
    elif name == "play":
        body = f'<path d="M5 2.8 L13.2 8 L5 13.2 Z" {f} stroke="{color}" stroke-width="1" stroke-linejoin="round"/>'
    elif name == "add":
        body = f'<path d="M8 3 V13 M3 8 H13" {st(2.2)}/>'
    elif name == "list":
        body = (f'<circle cx="3" cy="4" r="1.2" {f}/><circle cx="3" cy="8" r="1.2" {f}/>'
                f'<circle cx="3" cy="12" r="1.2" {f}/><path d="M6.5 4 H14 M6.5 8 H14 M6.5 12 H14" {s}/>')
    elif name == "schedule":
        body = f'<circle cx="8" cy="8" r="6.2" {s}/><path d="M8 4.2 V8 L10.8 9.8" {s}/>'
    elif name == "source":
        body = (f'<rect x="5.6" y="1.5" width="4.8" height="8" rx="2.4" {f}/>'
                f'<path d="M3.5 7.5 Q3.5 11.8 8 11.8 Q12.5 11.8 12.5 7.5 M8 11.8 V14.5 M5.5 14.6 H10.5" {st(1.5)}/>')
    elif name == "settings":
        pts = []
        teeth = 8
        for i in range(teeth * 4):
            a = (i / (teeth * 4)) * 2 * math.pi
            r = 7.2 if (i % 4) in (1, 2) else 5.4
            pts.append(f"{8 + r * math.cos(a):.2f},{8 + r * math.sin(a):.2f}")
        body = (f'<path d="M{" L".join(pts)} Z M8 5.6 A2.4 2.4 0 1 0 8 10.4 A2.4 2.4 0 1 0 8 5.6 Z" '
                f'{f} fill-rule="evenodd"/>')
    elif name == "tag":
        body = (f'<path d="M2 3.2 V7.6 L8.6 14.2 L14.2 8.6 L7.6 2 H3.2 Z M5.2 4 A1.2 1.2 0 1 0 5.2 6.4 '
                f'A1.2 1.2 0 1 0 5.2 4 Z" {f} fill-rule="evenodd"/>')
    elif name == "help":
        body = (f'<circle cx="8" cy="8" r="6.6" {st(1.5)}/>'
                f'<path d="M5.9 6.2 Q5.9 4 8 4 Q10.2 4 10.2 6 Q10.2 7.3 8.8 7.9 Q8 8.3 8 9.4" {st(1.6)}/>'
                f'<circle cx="8" cy="11.9" r="1" {f}/>')
    elif name == "min":
        body = f'<path d="M4.5 10.5 H11.5" {s}/>'
    elif name == "close":
        body = f'<path d="M4.8 4.8 L11.2 11.2 M11.2 4.8 L4.8 11.2" {s}/>'
    elif name == "up":
        body = f'<path d="M8 13 V3.5 M3.8 7.6 L8 3.4 L12.2 7.6" {st(2)}/>'
    elif name == "down":
        body = f'<path d="M8 3 V12.5 M3.8 8.4 L8 12.6 L12.2 8.4" {st(2)}/>'
    elif name == "delete":
        body = (f'<path d="M2.8 4.2 H13.2 M6.2 4 V2.6 H9.8 V4" {st(1.5)}/>'
                f'<path d="M4 5.6 L4.8 14 H11.2 L12 5.6" {st(1.5)}/>'
                f'<path d="M6.8 7.4 V12 M9.2 7.4 V12" {st(1.2)}/>')
    elif name == "join":
        body = (f'<path d="M2 3.5 H5.5 Q8 3.5 8 6 V8 M2 12.5 H5.5 Q8 12.5 8 10 V8 H14" {s}/>'
                f'<path d="M11.4 5.4 L14 8 L11.4 10.6" {s}/>')
    elif name == "stopjoin":
        body = (f'<circle cx="8" cy="8" r="6.4" {st(1.5)}/>'
                f'<rect x="5.4" y="5.4" width="5.2" height="5.2" rx="0.8" {f}/>')
    else:
        raise ValueError(name)
    return g + body + "</g>"


# ---- keys ---------------------------------------------------------------

def key_face(x, y, w, h, state, r=5):
    fill = {"normal": "url(#key)", "hover": "url(#keyhover)",
            "pressed": "url(#keypressed)", "disabled": "#26292e"}[state]
    out = [f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="#0b0c0e"/>',
           f'<rect x="{x + 1}" y="{y + 1}" width="{w - 2}" height="{h - 2}" rx="{r - 1}" fill="{fill}"/>']
    if state in ("normal", "hover"):
        out.append(f'<path d="M{x + r} {y + 1.5} H{x + w - r}" stroke="#ffffff" stroke-opacity="0.18" stroke-width="1"/>')
    return "".join(out)


def icon_color(state):
    return {"normal": ICON, "hover": ICON_HOVER, "pressed": ICON_PRESSED, "disabled": ICON_DISABLED}[state]


def button(name, x, y, w, h, glyph, tip, text=None, action=None, flat=False):
    attrs = f'skin:object="{name}" skin:kind="button" skin:bounds="{x} {y} {w} {h}" skin:tip="{tip}"'
    if action:
        attrs += f' skin:action="{action}"'
    out = [f'  <g id="{FORM}-{name}" {attrs}>']
    for state in ("normal", "hover", "pressed", "disabled"):
        dy = 1 if state == "pressed" else 0
        color = icon_color(state)
        parts = []
        if flat:
            if state == "hover":
                bg = "#ff453a" if action == "close" else "#ffffff"
                op = "0.9" if action == "close" else "0.12"
                parts.append(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="3" fill="{bg}" fill-opacity="{op}"/>')
            elif state == "pressed":
                bg = "#c0281f" if action == "close" else "#000000"
                parts.append(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="3" fill="{bg}" fill-opacity="0.5"/>')
        else:
            parts.append(key_face(x, y, w, h, state))
        if text:
            ix = x + 16
            parts.append(icon(glyph, ix, y + h / 2 + dy, color, state))
            parts.append(f'<text x="{ix + 11}" y="{y + h / 2 + 4 + dy:.1f}" font-family="DejaVu Sans" '
                         f'font-size="11" font-weight="bold" fill="{color}">{text}</text>')
        else:
            parts.append(icon(glyph, x + w / 2, y + h / 2 + dy, color, state))
        out.append(f'    <g skin:state="{state}">{"".join(parts)}</g>')
    out.append("  </g>")
    return "\n".join(out)


def label(name, x, y, w, h, size=11, color=LCD_TEXT, weight=None, align=None, font="DejaVu Sans", text=None, elide=None):
    a = (f'skin:object="{name}" skin:kind="label" skin:bounds="{x} {y} {w} {h}" skin:font="{font}" '
         f'skin:font-size="{size}" skin:color="{color}"')
    if weight:
        a += f' skin:font-weight="{weight}"'
    if align:
        a += f' skin:align="{align}"'
    if text:
        a += f' skin:text="{text}"'
    if elide:
        a += f' skin:elide="{elide}"'
    return f'  <g id="{FORM}-{name}" {a}/>'


def title_bar(w, caption, sub):
    return f"""  <g id="{FORM}-bar" skin:object="bar" skin:kind="area" skin:action="move" skin:bounds="0 0 {w - 50} 24"/>
  <rect x="0.5" y="0.5" width="{w - 1}" height="24" rx="6" fill="url(#titlebar)"/>
  <rect x="0.5" y="12" width="{w - 1}" height="13" fill="url(#titlebar)"/>
  <path d="M1 24.5 H{w - 1}" stroke="#0b0c0e" stroke-width="1"/>
  <path d="M7 1.5 H{w - 7}" stroke="#ffffff" stroke-opacity="0.14" stroke-width="1"/>
  <circle cx="14" cy="12.5" r="4.2" fill="url(#recdot)"/>
  <text x="24" y="16.6" font-family="DejaVu Sans" font-size="11.5" font-weight="bold" fill="#e9edf2" letter-spacing="1.5">{caption}</text>
  <text x="{24 + 10.4 * len(caption) + 8}" y="16.4" font-family="DejaVu Sans" font-size="10" fill="#8c949e">{sub}</text>"""


def body(w, h):
    return f"""  <rect x="0" y="0" width="{w}" height="{h}" fill="#0b0c0e"/>
  <rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="6" fill="url(#body)" stroke="#000000" stroke-opacity="0.6"/>
  <rect x="1.5" y="1.5" width="{w - 3}" height="{h - 3}" rx="5" fill="none" stroke="#ffffff" stroke-opacity="0.06"/>"""


def screws(w, h):
    return ""


def main_form():
    global FORM
    FORM = "ve3zod"
    fx, fy, w, h = MAIN
    out = [f'<g id="ve3zod" skin:form="ve3zod" skin:bounds="{fx} {fy} {w} {h}" transform="translate({fx},{fy})">',
           body(w, h), title_bar(w, "VARNELO", "sound recorder")]
    # display: bezel, LCD glass, recessed spectrum window
    out.append("""  <rect x="8" y="30" width="367" height="127" rx="6" fill="url(#bezel)"/>
  <rect x="9.5" y="31.5" width="364" height="124" rx="5" fill="url(#lcd)"/>
  <path d="M14 68.5 H206 M14 91.5 H206 M14 112.5 H206 M14 133.5 H206" stroke="#8fe3ff" stroke-opacity="0.07" stroke-width="1"/>
  <rect x="212" y="67" width="123" height="89" rx="3" fill="#030607" stroke="#1c3a44" stroke-width="1"/>
  <path d="M216 91.5 H331 M216 111.5 H331 M216 131.5 H331" stroke="#8fe3ff" stroke-opacity="0.06" stroke-width="1"/>
  <path d="M244.5 71 V152 M273.5 71 V152 M302.5 71 V152" stroke="#8fe3ff" stroke-opacity="0.05" stroke-width="1"/>
  <text x="16" y="150" font-family="DejaVu Sans" font-size="8" letter-spacing="2" fill="#8fe3ff" fill-opacity="0.22">OGG VORBIS RECORDER · JOINER</text>
  <text x="273.5" y="115" text-anchor="middle" font-family="DejaVu Sans" font-size="9" letter-spacing="2" fill="#8fe3ff" fill-opacity="0.22">LEVEL</text>
  <path d="M339.5 71.5 H347 M339.5 91.5 H344 M339.5 111.5 H347 M339.5 131.5 H344 M339.5 151.5 H347" stroke="#8fe3ff" stroke-opacity="0.22" stroke-width="1"/>
  <path d="M339.5 71 V152" stroke="#8fe3ff" stroke-opacity="0.10" stroke-width="1"/>
  <path d="M10 34 Q10 32 12 32 H371 Q373 32 373 34 V60 H10 Z" fill="url(#lcdglare)"/>""")
    out.append(label("s_time", 16, 35, 350, 30, size=21, weight="bold", font="DejaVu Sans Mono", color="#a8ecff"))
    # A recording's name ends in its time stamp: a long name loses its middle.
    out.append(label("s_filename", 16, 71, 192, 18, size=11, font="DejaVu Sans Condensed", elide="middle"))
    out.append(label("s_mono", 16, 93, 192, 18, size=11, font="DejaVu Sans Condensed"))
    out.append(label("s_sizeson", 16, 114, 192, 18, size=11, font="DejaVu Sans Condensed"))
    out.append(label("s_size", 16, 135, 95, 17, size=10, font="DejaVu Sans Condensed", color="#5fb6cf"))
    out.append(label("showp", 113, 135, 95, 17, size=10, font="DejaVu Sans Condensed", color="#5fb6cf", align="right"))
    out.append(label("s_left", 341, 104, 26, 14, size=9, color="#5fb6cf", align="center"))
    out.append(label("s_right", 341, 124, 26, 14, size=9, color="#5fb6cf", align="center"))
    # play bar
    out.append(f"""  <g id="ve3zod-play_bar" skin:object="play_bar" skin:kind="slider" skin:bounds="10 159 363 16" skin:min="0" skin:max="980" skin:tip="Playback position">
    <g skin:part="track"><rect x="16" y="164.5" width="351" height="6" rx="3" fill="url(#groove)" stroke="#000000" stroke-opacity="0.5"/>
      <path d="M19 171.5 H364" stroke="#ffffff" stroke-opacity="0.08"/></g>
    <g skin:part="fill"><rect x="17" y="165.5" width="349" height="4" rx="2" fill="url(#progress)"/></g>
    <g skin:part="thumb" skin:bounds="10 159 16 16"><circle cx="18" cy="167" r="7" fill="#000000" fill-opacity="0.45"/>
      <circle cx="18" cy="167" r="6" fill="url(#knob)" stroke="#5c636d" stroke-width="0.8"/><circle cx="18" cy="167" r="1.8" fill="#1aa9d6"/></g>
    <g skin:part="thumb-hover" skin:bounds="10 159 16 16"><circle cx="18" cy="167" r="7" fill="#000000" fill-opacity="0.45"/>
      <circle cx="18" cy="167" r="6" fill="url(#knobhover)" stroke="#4aa8c8" stroke-width="0.8"/><circle cx="18" cy="167" r="1.8" fill="#1aa9d6"/></g>
  </g>""")
    # transport keys and tool keys
    y, kh = 179, 24
    transport = [("vavudizu", "record", "Record"), ("pause", "pause", "Pause"),
                 ("stop", "stop", "Stop"), ("play", "play", "Play")]
    x = 9
    for name, glyph, tip in transport:
        out.append(button(name, x, y, 38, kh, glyph, tip))
        x += 41
    tools = [("add", "add", "Add files to the list"), ("list", "list", "Show or hide the join list"),
             ("schedule", "schedule", "Recording schedule"), ("scource", "source", "Recording source"),
             ("set", "settings", "Settings"), ("tag", "tag", "Edit tags"), ("help", "help", "Help")]
    x = 178
    for name, glyph, tip in tools:
        out.append(button(name, x, y, 26, kh, glyph, tip))
        x += 28
    out.append(f'  <path d="M171.5 {y + 3} V{y + kh - 3}" stroke="#000000" stroke-opacity="0.5"/>'
               f'<path d="M172.5 {y + 3} V{y + kh - 3}" stroke="#ffffff" stroke-opacity="0.07"/>')
    out.append(button("min", 335, 4, 20, 17, "min", "Minimise", action="minimize", flat=True))
    out.append(button("close", 357, 4, 20, 17, "close", "Close", action="close", flat=True))
    out.append("</g>")
    return "\n".join(out)


def list_form():
    global FORM
    FORM = "listwin"
    fx, fy, w, h = LIST
    out = [f'<g id="listwin" skin:form="listwin" skin:bounds="{fx} {fy} {w} {h}" transform="translate({fx},{fy})">',
           body(w, h), title_bar(w, "JOIN LIST", "files are joined top to bottom into one OGG file")]
    # recessed well around the list view's place (35, 34, 427 x 122)
    out.append("""  <rect x="30" y="29" width="437" height="132" rx="6" fill="url(#bezel)"/>
  <rect x="31.5" y="30.5" width="434" height="129" rx="5" fill="#101215"/>
  <rect x="35" y="34" width="427" height="122" fill="#0b0c0e"/>
  <rect x="474" y="29" width="98" height="132" rx="6" fill="#000000" fill-opacity="0.18" stroke="#ffffff" stroke-opacity="0.05"/>""")
    out.append(button("join", 480, 36, 86, 34, "join", "Join the listed files into one OGG file", text="Join"))
    out.append(button("stopj", 480, 76, 86, 34, "stopjoin", "Stop the running join", text="Stop"))
    out.append(button("list_add", 480, 118, 86, 34, "add", "Add files", text="Add"))
    row_y = 172
    keys = [("del", "delete", "Remove the selected files", "Remove"),
            ("up", "up", "Move the selected files up", "Up"),
            ("down", "down", "Move the selected files down", "Down")]
    x = 35
    for name, glyph, tip, text in keys:
        out.append(button(name, x, row_y, 96, 30, glyph, tip, text=text))
        x += 102
    out.append(f"""  <rect x="344" y="{row_y}" width="228" height="30" rx="5" fill="#000000" fill-opacity="0.2"/>
  <text x="458" y="{row_y + 19}" text-anchor="middle" font-family="DejaVu Sans" font-size="10" fill="#8c949e">MP3 · WAV · WMA · OGG · RAW  →  OGG</text>
  <path d="M8 214.5 H{w - 8}" stroke="#000000" stroke-opacity="0.5"/><path d="M8 215.5 H{w - 8}" stroke="#ffffff" stroke-opacity="0.06"/>
  <text x="14" y="234" font-family="DejaVu Sans" font-size="10" fill="#6f7782">Select files with the mouse; Shift and Ctrl select several.</text>
  <text x="{w - 14}" y="234" text-anchor="end" font-family="DejaVu Sans" font-size="10" font-weight="bold" fill="#4a525c" letter-spacing="1">VARNELO</text>""")
    out.append(button("close", 554, 4, 20, 17, "close", "Hide the join list", action="close", flat=True))
    out.append("</g>")
    return "\n".join(out)


def main():
    width = max(MAIN[2], LIST[2])
    height = LIST[1] + LIST[3]
    doc = f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- Varnelo default skin. Built into du3vor.dll; format in skins/README.md.
     Generated by make-skin.py: edit that script, or this file in an SVG editor. -->
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink"
     xmlns:skin="urn:varnelo:skin" version="1.1" width="{width}" height="{height}" viewBox="0 0 {width} {height}">
{defs()}
{main_form()}
{list_form()}
</svg>
"""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "varnelo-skin.svg")
    with open(path, "w", encoding="utf-8") as fh:
        fh.write(doc)


FORM = ""
if __name__ == "__main__":
    main()
