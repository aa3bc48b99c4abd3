#!/usr/bin/env python3
"""Writes the resource script of one language library.

Input: assets/help/strings/<Language>.txt, UTF-8, one string per line as
"<id><TAB><text>"; blank lines and lines starting with "#" are ignored.
Output: a .rc file (UTF-8, code page 65001) with one STRINGTABLE tagged with
the language's Windows language id.

The file must hold exactly the ids listed in help_string_ids.h, and the
language must be one of help_libraries.h; anything else stops the build with
the file and line at fault. The output depends only on the inputs.
"""
import argparse
import os
import re
import sys
import unicodedata

# The help line under the window is about 88 average Latin characters wide;
# East Asian wide characters take two of those, combining marks none.
MAX_DISPLAY_WIDTH = 88
# The program reads each string into a 500-character buffer (terminator included).
MAX_UTF16_UNITS = 499


class InputError(Exception):
    pass


def read_ids(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    constants = {}
    for name, value in re.findall(r"constexpr\s+int32_t\s+(kHelp\w+)\s*=\s*(\d+)\s*;", text):
        if name in constants:
            raise InputError(f"{path}: {name} defined twice")
        constants[name] = int(value)
    match = re.search(r"kHelpStringIds\[\]\s*=\s*\{([^}]*)\}", text)
    if not match:
        raise InputError(f"{path}: no kHelpStringIds array")
    names = re.findall(r"\w+", match.group(1))
    ids = []
    for name in names:
        if name not in constants:
            raise InputError(f"{path}: kHelpStringIds names unknown constant {name}")
        ids.append(constants[name])
    unused = sorted(set(constants) - set(names))
    if unused:
        raise InputError(f"{path}: constants missing from kHelpStringIds: {', '.join(unused)}")
    if len(set(names)) != len(names):
        raise InputError(f"{path}: kHelpStringIds lists a constant twice")
    if ids != sorted(set(ids)):
        raise InputError(f"{path}: kHelpStringIds is not strictly ascending")
    if not all(1 <= i <= 65535 for i in ids):
        raise InputError(f"{path}: string ids must lie in 1..65535")
    return ids


def read_libraries(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    count = re.search(r"kHelpLanguageCount\s*=\s*(\d+)\s*;", text)
    rows = re.findall(r'\{\s*"(\w+)_help\.dll"\s*,\s*0x([0-9A-Fa-f]{4})\s*\}', text)
    if not count or len(rows) != int(count.group(1)):
        raise InputError(f"{path}: the library table does not have kHelpLanguageCount rows")
    languages = {}
    for name, lang in rows:
        if name in languages:
            raise InputError(f"{path}: {name} listed twice")
        languages[name] = int(lang, 16)
    return languages


def display_width(text):
    width = 0
    for ch in text:
        if unicodedata.combining(ch) or unicodedata.category(ch) in ("Mn", "Me", "Cf"):
            continue
        width += 2 if unicodedata.east_asian_width(ch) in ("W", "F") else 1
    return width


def check_text(text, where):
    if not text:
        raise InputError(f"{where}: empty text")
    if text != text.strip():
        raise InputError(f"{where}: blanks at the start or end of the text")
    for ch in text:
        if unicodedata.category(ch) in ("Cc", "Cs", "Co", "Cn") or ch in "\u2028\u2029":
            raise InputError(f"{where}: control or unassigned character U+{ord(ch):04X}")
    if unicodedata.normalize("NFC", text) != text:
        raise InputError(f"{where}: text is not in Unicode normal form C")
    units = len(text.encode("utf-16-le")) // 2
    if units > MAX_UTF16_UNITS:
        raise InputError(f"{where}: {units} UTF-16 units, the program reads at most {MAX_UTF16_UNITS}")
    width = display_width(text)
    if width > MAX_DISPLAY_WIDTH:
        raise InputError(f"{where}: too wide for the help line ({width} > {MAX_DISPLAY_WIDTH})")


def read_strings(path, ids):
    try:
        with open(path, "rb") as f:
            raw = f.read()
        text = raw.decode("utf-8")
    except OSError as e:
        raise InputError(f"{path}: cannot read: {e.strerror}")
    except UnicodeDecodeError as e:
        raise InputError(f"{path}: not valid UTF-8 at byte {e.start}")
    if text.startswith("\ufeff"):
        text = text[1:]
    known = set(ids)
    strings = {}
    for number, line in enumerate(text.split("\n"), 1):
        line = line.rstrip("\r")
        where = f"{path}:{number}"
        if not line.strip() or line.startswith("#"):
            continue
        match = re.fullmatch(r"(\d+)\t(.*)", line)
        if not match:
            raise InputError(f"{where}: expected <id><TAB><text>")
        sid = int(match.group(1))
        if sid not in known:
            raise InputError(f"{where}: id {sid} is not in help_string_ids.h")
        if sid in strings:
            raise InputError(f"{where}: id {sid} given twice")
        check_text(match.group(2), where)
        strings[sid] = match.group(2)
    missing = [str(i) for i in ids if i not in strings]
    if missing:
        raise InputError(f"{path}: missing ids {', '.join(missing)}")
    return strings


def rc_quote(text):
    # Resource-compiler strings double their quotes and take backslash escapes.
    return '"' + text.replace("\\", "\\\\").replace('"', '""') + '"'


def render(language, lang_id, strings, ids):
    lines = [
        f"// {language}_help.dll, generated from strings/{language}.txt by make_help_rc.py.",
        "#pragma code_page(65001)",
        f"LANGUAGE 0x{lang_id & 0x3FF:02X}, 0x{lang_id >> 10:02X}",
        "STRINGTABLE",
        "BEGIN",
    ]
    lines += [f"  {sid}, {rc_quote(strings[sid])}" for sid in ids]
    lines += ["END", ""]
    return "\n".join(lines)


def write_atomically(path, content):
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(content)
    os.replace(tmp, path)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--ids", required=True, help="help_string_ids.h")
    parser.add_argument("--libraries", required=True, help="help_libraries.h")
    parser.add_argument("--strings", required=True, help="folder of <Language>.txt files")
    parser.add_argument("--language", required=True, help="e.g. Danish")
    parser.add_argument("--out", help="the .rc file to write; without it only check")
    args = parser.parse_args(argv)
    try:
        ids = read_ids(args.ids)
        languages = read_libraries(args.libraries)
        if args.language not in languages:
            raise InputError(f"{args.language} is not in {args.libraries}")
        for entry in sorted(os.listdir(args.strings)):
            if entry.endswith(".txt") and entry[:-4] not in languages:
                raise InputError(f"{os.path.join(args.strings, entry)}: no such language library")
        path = os.path.join(args.strings, args.language + ".txt")
        strings = read_strings(path, ids)
        if args.out:
            write_atomically(args.out, render(args.language, languages[args.language], strings, ids))
    except (InputError, OSError) as e:
        sys.stderr.write(f"make_help_rc: {e}\n")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
