#!/usr/bin/env python3
"""Writes the swipe check's generated tables.

  swipe/layout_tables.cpp   what each keyboard layout the check names types for the keys of
                            a US keyboard, read from the xkb data Debian ships (package
                            xkb-data, /usr/share/X11/xkb/symbols; key names from x11proto-dev's
                            keysymdef.h), with the dead keys composed as Windows composes them
  swipe/character_tables.cpp  the digits of every script (Python's Unicode database) and the
                            characters that may stand between the groups of a number

Run by hand after changing a layout or moving to newer data:
    python3 swipe/tools/make_tables.py
The output is committed, so the build needs neither package.
    python3 swipe/tools/make_tables.py --check
writes nothing and fails when a committed table is not what this script writes (a native
test runs it).

A reader types as a US keyboard does: for each character it presses the key (and Shift) that
types it there. The host turns that key into what its own layout has at the same place, so
only the first two levels of each key matter (no AltGr). A dead key types nothing at once;
Windows then composes it with the next character where that character takes its accent, types
the accent alone before a blank, and otherwise types the accent and then the character. With
Caps Lock on, a key whose two levels are a small and a capital letter types the other one.
"""
import os
import re
import subprocess
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
SWIPE = os.path.join(HERE, "..")
XKB = "/usr/share/X11/xkb/symbols"
KEYSYMDEF = "/usr/include/X11/keysymdef.h"

# (English name, Chinese name, xkb file, section); the US layout first, for Caps Lock alone.
LAYOUTS = [
    ("English (US)", "英语（美国）", "us", "basic"),
    ("German", "德语", "de", "basic"),
    ("Swiss German", "瑞士德语", "ch", "basic"),
    ("French", "法语", "fr", "basic"),
    ("Belgian French", "比利时法语", "be", "basic"),
    ("Spanish", "西班牙语", "es", "basic"),
    ("Latin American", "拉丁美洲西班牙语", "latam", "basic"),
    ("Italian", "意大利语", "it", "basic"),
    ("Portuguese", "葡萄牙语", "pt", "basic"),
    ("UK English", "英语（英国）", "gb", "basic"),
    ("Danish", "丹麦语", "dk", "basic"),
    ("Norwegian", "挪威语", "no", "basic"),
    ("Swedish/Finnish", "瑞典语/芬兰语", "se", "basic"),
    ("Czech", "捷克语", "cz", "basic"),
    ("Hungarian", "匈牙利语", "hu", "basic"),
    ("Turkish (Q)", "土耳其语 (Q)", "tr", "basic"),
    ("Turkish (F)", "土耳其语 (F)", "tr", "f"),
    ("US Dvorak", "美式 Dvorak", "us", "dvorak"),
]

# Each dead key's accent as it is typed alone, and the combining mark it puts on a letter.
DEAD_KEYS = {
    "dead_grave": ("`", "\u0300"),
    "dead_acute": ("\u00b4", "\u0301"),
    "dead_circumflex": ("^", "\u0302"),
    "dead_tilde": ("~", "\u0303"),
    "dead_macron": ("\u00af", "\u0304"),
    "dead_breve": ("\u02d8", "\u0306"),
    "dead_abovedot": ("\u02d9", "\u0307"),
    "dead_diaeresis": ("\u00a8", "\u0308"),
    "dead_abovering": ("\u00b0", "\u030a"),
    "dead_doubleacute": ("\u02dd", "\u030b"),
    "dead_caron": ("\u02c7", "\u030c"),
    "dead_cedilla": ("\u00b8", "\u0327"),
    "dead_ogonek": ("\u02db", "\u0328"),
}


def keysym_names():
    """keysymdef.h's names: their Unicode character, where they have one."""
    names = {}
    pattern = re.compile(r"#define XK_(\w+)\s+0x([0-9a-fA-F]+)\s*(?:/\*\s*(?:\(?U\+([0-9A-F]+)))?")
    with open(KEYSYMDEF, encoding="latin-1") as f:
        for line in f:
            m = pattern.match(line)
            if not m:
                continue
            name, value, uni = m.group(1), int(m.group(2), 16), m.group(3)
            if uni:
                names[name] = chr(int(uni, 16))
            elif 0x20 <= value <= 0x7E or 0xA0 <= value <= 0xFF:
                names[name] = chr(value)
    return names


NAMES = keysym_names()


def symbol(name):
    """A keysym name as ('char', c), ('dead', name) or None (nothing typed)."""
    if name in DEAD_KEYS:
        return ("dead", name)
    if name.startswith("dead_"):
        return None  # a dead key no Windows layout of these has on levels 1 and 2
    if re.fullmatch(r"U[0-9A-Fa-f]{4,6}", name):
        return ("char", chr(int(name[1:], 16)))
    if re.fullmatch(r"0x1[0-9A-Fa-f]{6}", name):
        return ("char", chr(int(name, 16) - 0x1000000))
    if name in NAMES:
        return ("char", NAMES[name])
    return None  # NoSymbol, VoidSymbol and functions


def strip_comments(text):
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    return re.sub(r"//[^\n]*", "", text)


def section_text(file, section):
    with open(os.path.join(XKB, file), encoding="utf-8") as f:
        text = strip_comments(f.read())
    blocks = re.finditer(r"((?:\w+\s+)*)xkb_symbols\s+\"([^\"]+)\"\s*\{", text)
    for m in blocks:
        if m.group(2) == section or (section is None and "default" in m.group(1).split()):
            depth, at = 1, m.end()
            while depth:
                depth += {"{": 1, "}": -1}.get(text[at], 0)
                at += 1
            return text[m.end():at - 1]
    raise SystemExit(f"no section {section!r} in {file}")


def key_levels(body):
    """The first group's symbols of a key's definition."""
    body = re.sub(r"type(\[\s*\w+\s*\])?\s*=\s*\"[^\"]*\"\s*,?", "", body)
    m = re.search(r"symbols\[\s*group1\s*\]\s*=\s*\[([^\]]*)\]", body, re.I)
    if not m:
        # Other named arrays (actions) and settings first, then the bare list of symbols.
        body = re.sub(r"\w+\s*\[[^\]]*\]\s*=\s*\[[^\]]*\]", "", body)
        body = re.sub(r"\w+\s*=\s*[^,\[\]]*", "", body)
        m = re.search(r"\[([^\]]*)\]", body)
    if not m:
        return None
    return [s.strip() for s in m.group(1).split(",")]


def merge(keys, new, mode):
    for key, levels in new.items():
        old = keys.get(key, [])
        merged = list(old) + [None] * max(0, len(levels) - len(old))
        for i, level in enumerate(levels):
            if level is not None and (mode != "augment" or merged[i] is None):
                merged[i] = level
        keys[key] = merged


def load(file, section):
    """The keys of an xkb section, its includes resolved: name -> [level symbols]."""
    keys = {}
    body = section_text(file, section)
    for m in re.finditer(r"(include|augment|override|replace)\s+\"([^\"]+)\"|"
                         r"(?:(?:replace|override|augment)\s+)?key\s+<(\w+)>\s*\{(.*?)\}\s*;",
                         body, re.S):
        if m.group(1):
            mode = m.group(1)
            for part in re.finditer(r"([+|]?)([^+|]+)", m.group(2)):
                spec = part.group(2)
                if ":" in spec:
                    continue  # a second group
                sub = re.fullmatch(r"(\w+)(?:\((\w+)\))?", spec)
                merge(keys, load(sub.group(1), sub.group(2)),
                      "augment" if part.group(1) == "|" else mode)
        else:
            levels = key_levels(m.group(4))
            if levels is None:
                continue
            merge(keys, {m.group(3): [None if s in ("NoSymbol",) else s for s in levels]},
                  "override")
    return keys


def two_levels(keys, key):
    levels = (keys.get(key) or [])[:2]
    levels = [s for s in levels] + [None] * (2 - len(levels))
    if levels[1] is None:
        levels[1] = levels[0]
    return [symbol(s) if s else None for s in levels]


def us_keys():
    """Printable ASCII -> (key, level) on the US layout; the blank is the space bar."""
    keys = load("us", "basic")
    where = {}
    for key, levels in keys.items():
        for level, sym in enumerate(two_levels(keys, key)):
            if sym and sym[0] == "char" and sym[1] not in where:
                where[sym[1]] = (key, level)
    return where


def is_case_pair(low, high):
    return (low and high and low[0] == "char" and high[0] == "char" and
            unicodedata.category(low[1]) == "Ll" and unicodedata.category(high[1]) == "Lu")


def layout_rows(file, section, where):
    """For each printable ASCII character: what the layout types for its key, without and
    with Caps Lock; a dead key as ('dead', name)."""
    keys = load(file, section)
    plain, caps = [], []
    for code in range(0x20, 0x7F):
        c = chr(code)
        if c == " ":
            plain.append(("char", " "))
            caps.append(("char", " "))
            continue
        key, level = where[c]
        levels = two_levels(keys, key)
        plain.append(levels[level])
        caps.append(levels[1 - level] if is_case_pair(*levels) else levels[level])
    return plain, caps


def cpp_string(text):
    """A C++ string literal of `text` (UTF-8 source)."""
    out = ""
    for ch in text:
        if ch in "\\\"":
            out += "\\" + ch
        elif ord(ch) < 0x20 or ord(ch) == 0x7F:
            raise SystemExit(f"a control character in {text!r}")
        else:
            out += ch
    return "\"" + out + "\""


# Stands for a key that types nothing in that state.
NOTHING = "\uffff"


def row_text(row):
    return "".join(NOTHING if sym is None else
                   DEAD_KEYS[sym[1]][0] if sym[0] == "dead" else sym[1] for sym in row)


def dead_text(row):
    return "".join(chr(0x20 + i) for i, sym in enumerate(row) if sym and sym[0] == "dead")


def compositions(rows):
    """Every accent of a dead key with every character the layouts type that takes it."""
    accents = set()
    bases = set()
    for plain, caps in rows:
        for sym in plain + caps:
            if sym and sym[0] == "dead":
                accents.add(sym[1])
            elif sym:
                bases.add(sym[1])
    found = []
    for dead in sorted(accents):
        accent, mark = DEAD_KEYS[dead]
        for base in sorted(bases):
            composed = unicodedata.normalize("NFC", base + mark)
            if len(composed) == 1:
                found.append((accent, base, composed))
    return found


def write_layouts():
    where = us_keys()
    rows = [layout_rows(file, section, where) for _, _, file, section in LAYOUTS]
    version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "xkb-data"],
                             capture_output=True, text=True).stdout.strip() or "unknown"
    out = [
        "// Generated by swipe/tools/make_tables.py from xkb-data " + version +
        " (/usr/share/X11/xkb/symbols):",
        "// do not edit.",
        "#include \"swipe/layout_tables.h\"",
        "",
        "namespace swipe {",
        "",
        "const LayoutTable kLayoutTables[] = {",
    ]
    for (english, chinese, _, _), (plain, caps) in zip(LAYOUTS, rows):
        for sym in plain + caps:
            if sym and sym[0] == "char" and len(sym[1]) != 1:
                raise SystemExit(f"{english}: {sym[1]!r} is more than one character")
        out.append(f"    {{{cpp_string(english)}, {cpp_string(chinese)},")
        out.append(f"     {cpp_string(row_text(plain))},")
        out.append(f"     {cpp_string(row_text(caps))},")
        out.append(f"     {cpp_string(dead_text(plain))}}},")
    out.append("};")
    out.append("const std::size_t kLayoutTableCount = "
               "sizeof(kLayoutTables) / sizeof(kLayoutTables[0]);")
    out.append("")
    out.append("const Composition kCompositions[] = {")
    for accent, base, composed in compositions(rows):
        out.append(f"    {{{cpp_string(accent)}, {cpp_string(base)}, {cpp_string(composed)}}},")
    out.append("};")
    out.append("const std::size_t kCompositionCount = "
               "sizeof(kCompositions) / sizeof(kCompositions[0]);")
    out.append("")
    out.append("}  // namespace swipe")
    return "\n".join(out) + "\n"


# Characters that may stand between the groups of a number as a person writes it: blanks,
# dashes, dots, commas and underscores, and what shows nothing (controls, invisible marks).
EXTRA_SEPARATORS = ".\u00b7\u2022\u2024\u2027\u2219\u22c5\u30fb\uff0e\u3002\uff61,\u060c\u3001\uff0c_\u2212"


def is_separator(c):
    return (unicodedata.category(c) in ("Zs", "Zl", "Zp", "Pd", "Cc", "Cf") or
            c in EXTRA_SEPARATORS)


def ranges(predicate_value):
    """[(first, last, value)] of consecutive code points with consecutive values."""
    found = []
    for code in range(0x110000):
        value = predicate_value(chr(code))
        if value is None:
            continue
        if found and found[-1][1] == code - 1 and (
                (value == "sep" and found[-1][2] == "sep") or
                (value != "sep" and found[-1][2] != "sep" and
                 found[-1][2] + (code - found[-1][0]) == value)):
            found[-1] = (found[-1][0], code, found[-1][2])
        else:
            found.append((code, code, value))
    return found


def character_class(c):
    if not 0xD800 <= ord(c) <= 0xDFFF:
        digit = unicodedata.digit(c, None)
        if digit is not None:
            return digit
        if is_separator(c):
            return "sep"
    return None


def write_characters():
    out = [
        "// Generated by swipe/tools/make_tables.py from Python's Unicode database " +
        unicodedata.unidata_version + ": do not edit.",
        "#include \"swipe/character_tables.h\"",
        "",
        "namespace swipe {",
        "",
        "const CharacterRange kCharacterRanges[] = {",
    ]
    for first, last, value in ranges(character_class):
        value_text = "kSeparator" if value == "sep" else str(value)
        out.append(f"    {{0x{first:X}, 0x{last:X}, {value_text}}},")
    out.append("};")
    out.append("const std::size_t kCharacterRangeCount = "
               "sizeof(kCharacterRanges) / sizeof(kCharacterRanges[0]);")
    out.append("")
    out.append("}  // namespace swipe")
    return "\n".join(out) + "\n"


def formatted(path, text):
    """`text` as clang-format leaves the file at `path`."""
    done = subprocess.run(["clang-format", "--assume-filename=" + path], input=text,
                          capture_output=True, text=True, check=False)
    return done.stdout if done.returncode == 0 else text


def main():
    check = sys.argv[1:] == ["--check"]
    differ = []
    for name, text in (("layout_tables.cpp", write_layouts()),
                       ("character_tables.cpp", write_characters())):
        path = os.path.normpath(os.path.join(SWIPE, name))
        if check:
            with open(path, encoding="utf-8") as f:
                if f.read() != formatted(path, text):
                    differ.append(path)
            continue
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        subprocess.run(["clang-format", "-i", path], check=False)
        print("wrote", path, file=sys.stderr)
    for path in differ:
        print("not what make_tables.py writes:", path, file=sys.stderr)
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
