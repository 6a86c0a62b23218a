#!/usr/bin/env python3
"""Writes FILE.values beside each FILE here: "section|key|value" for every plain key (one line
of its name, letter case aside, in its section, its value on that line) as the program that owns the file reads it.
Run once when a file is added; check the result by eye before committing it."""
import configparser, glob, json, os, subprocess, sys

def scan(path):
    section, seen = "", {}
    for line in open(path, encoding="utf-8"):
        text = line.strip()
        if not text or text[0] in ";#":
            continue
        if text[0] == "[" and "]" in text:
            section = text[1:text.rindex("]")]
            continue
        cut = min((i for i in (text.find("="), text.find(":")) if i >= 0), default=-1)
        if cut > 0:
            name = text[:cut].strip()
            seen.setdefault((section, name.lower()), []).append((name, text[cut + 1:].strip()))
    return {(s, v[0][0]): v[0][1] for (s, _), v in seen.items() if len(v) == 1 and v[0][1]}

def configparser_reads(path):
    parser = configparser.RawConfigParser(strict=False, interpolation=None)
    parser.read(path, encoding="utf-8")
    return lambda section, key: parser.get(section, key, fallback=None)

def php_reads(path):
    code = "echo json_encode(parse_ini_file($argv[1], true, INI_SCANNER_RAW));"
    sections = json.loads(subprocess.check_output(["php", "-r", code, path]))
    return lambda section, key: sections.get(section, {}).get(key)

def mariadb_reads(path):
    def read(section, key):
        lines = subprocess.check_output(["my_print_defaults", "--defaults-file=" + path, section])
        options = dict(l.lstrip("-").split("=", 1) for l in lines.decode().splitlines() if "=" in l)
        return options.get(key)
    return read

OWNERS = {"php.ini": php_reads, ".cnf": mariadb_reads}
for path in sorted(glob.glob(os.path.join(os.path.dirname(sys.argv[0]) or ".", "*"))):
    suffix = os.path.splitext(path)[1]
    if suffix in (".values", ".py"):
        continue
    reads = OWNERS.get(os.path.basename(path), OWNERS.get(suffix, configparser_reads))(path)
    with open(path + ".values", "w", encoding="utf-8") as out:
        for (section, key), written in scan(path).items():
            value = reads(section, key)
            if value is not None and value == written:
                out.write(f"{section}|{key}|{value}\n")
            else:
                print(f"{path}: [{section}] {key}: not plain, read as {value!r}", file=sys.stderr)
