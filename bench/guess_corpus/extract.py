#!/usr/bin/env python3
"""Builds the guesser's evaluation corpus from translation catalogues.

For each language it takes the translated messages (msgstr) of a few gettext
catalogues installed under /usr/share/locale, keeps those that read as prose
(whole sentences, few placeholders or option names), replaces typographic
punctuation by ASCII so that every candidate encoding of the language group
can hold the text, and writes SAMPLES samples of about SIZE bytes to
<lang>.txt, separated by lines holding only "%%".

    python3 bench/guess_corpus/extract.py bench/guess_corpus
"""
import os
import re
import subprocess
import sys

LANGS = ["cs", "sk", "da", "sv", "de", "fr", "es", "pt", "ru"]
DOMAINS = ["gsettings-desktop-schemas", "dpkg", "apt", "gettext-tools", "coreutils", "bash",
           "glib20", "gnupg2", "PackageKit", "appstream", "findutils", "grep", "diffutils",
           "adduser", "Linux-PAM", "gtk20"]
SAMPLES = 6
SIZE = 2400

PUNCT = {"\u2018": "'", "\u2019": "'", "\u201a": "'", "\u201c": '"', "\u201d": '"',
         "\u201e": '"', "\u00ab": '"', "\u00bb": '"', "\u2039": "'", "\u203a": "'",
         "\u2013": "-", "\u2014": "-", "\u2026": "...", "\u00a0": " ", "\u202f": " "}


def messages(lang, domain):
    path = f"/usr/share/locale/{lang}/LC_MESSAGES/{domain}.mo"
    if not os.path.exists(path):
        return []
    po = subprocess.run(["msgunfmt", "--no-wrap", path], capture_output=True,
                        text=True, check=True).stdout
    out = []
    for m in re.finditer(r'^msgstr(?:\[\d\])? "(.*)"$', po, re.M):
        s = m.group(1).encode("latin-1", "backslashreplace").decode("unicode_escape",
                                                                    "ignore")
        out.append(s)
    return out


def prose(s):
    s = "".join(PUNCT.get(c, c) for c in s)
    s = re.sub(r"\s+", " ", s).strip()
    if len(s) < 60 or not s.endswith("."):
        return None
    if re.search(r"%|--|\$|\\|<|>|\{|\}|_|/|\|", s):
        return None
    letters = sum(c.isalpha() for c in s)
    if letters < 0.75 * len(s):
        return None
    return s


def main(outdir):
    for lang in LANGS:
        samples = []
        current = []
        size = 0
        seen = set()
        for domain in DOMAINS:
            for s in messages(lang, domain):
                p = prose(s)
                if not p or p in seen:
                    continue
                seen.add(p)
                current.append(p)
                size += len(p.encode()) + 1
                if size >= SIZE:
                    samples.append(" ".join(current))
                    current, size = [], 0
                    if len(samples) == SAMPLES:
                        break
            if len(samples) == SAMPLES:
                break
        with open(os.path.join(outdir, f"{lang}.txt"), "w", encoding="utf-8") as f:
            f.write("\n%%\n".join(samples) + "\n")
        print(lang, len(samples), "samples")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(__file__))
