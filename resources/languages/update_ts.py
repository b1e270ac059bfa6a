#!/usr/bin/env python3
"""Refreshes the translation sources from the code: runs lupdate over ui/ and main/,
folds the contexts of the generated-form structs (Ui_x) into their dialog's context x,
where the forms translate at run time, and writes Ondrix_en.ts (source texts) and
Ondrix_zh.ts (the Chinese texts of zh_texts.py). Run from the repository root."""
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from zh_texts import ZH  # noqa: E402

# Texts that stay as they are in every language: key names, units, numbers.
KEEP = lambda s: (s.startswith("Ctrl+") or s.strip() in ("", "->", "2", "15728640", "D%1", "%", "dB", "V", "mV", "s", "Sa")
                  or s.endswith("Hz") or s.endswith("s") and s[:-1] in ("n", "μ", "m", "k")
                  or s.endswith("Sa/s") or s.endswith("bps"))


# Entries of the English catalogue that differ from their source texts, by context:
# runs of blanks collapsed and trailing blanks dropped.
EN_OVERRIDES = {
    "ui_equation_form_t": {
        "System Error.    error index: ": "System Error. error index: ",
        "Character Error.    error index: ": "Character Error. error index: ",
        "Function Error.    error index: ": "Function Error. error index: ",
        "Function Error in parameter.   error index: ": "Function Error in parameter. error index: ",
        "Error in line: ": "Error in line:",
    },
}


def collect():
    with tempfile.TemporaryDirectory() as tmp:
        ts = os.path.join(tmp, "all.ts")
        subprocess.run(["lupdate", "-recursive", "ui", "main", "-extensions", "cpp,h", "-locations", "none",
                        "-no-obsolete", "-ts", ts], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        root = ET.parse(ts).getroot()
    contexts = {}
    for ctx in root.iter("context"):
        name = ctx.find("name").text
        if name.startswith("Ui_"):
            name = name[3:]
        texts = contexts.setdefault(name, [])
        for m in ctx.findall("message"):
            s = m.find("source").text or ""
            if s not in texts:
                texts.append(s)
    return contexts


def write(path, language, contexts, translate):
    """translate(context, source) gives the translation, or None when there is none."""
    root = ET.Element("TS", version="2.1", language=language)
    missing = []
    for name in sorted(contexts):
        ctx = ET.SubElement(root, "context")
        ET.SubElement(ctx, "name").text = name
        for s in contexts[name]:
            m = ET.SubElement(ctx, "message")
            ET.SubElement(m, "source").text = s
            t = translate(name, s)
            tr = ET.SubElement(m, "translation")
            if t is None:
                tr.set("type", "unfinished")
                if not KEEP(s):
                    missing.append(s)
            else:
                tr.text = t
    ET.indent(root)
    with open(path, "wb") as f:
        f.write(b'<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        f.write(ET.tostring(root, encoding="utf-8"))
        f.write(b"\n")
    return missing


def main():
    contexts = collect()
    write(os.path.join(HERE, "Ondrix_en.ts"), "en_US", contexts, lambda c, s: EN_OVERRIDES.get(c, {}).get(s, s))
    missing = write(os.path.join(HERE, "Ondrix_zh.ts"), "zh_CN", contexts,
                    lambda c, s: None if KEEP(s) else ZH.get(s))
    for s in missing:
        print("no Chinese text:", repr(s))
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
