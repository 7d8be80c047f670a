#!/usr/bin/env python3
"""Checks that includes run only downwards through the program's layers.

include_direction.py SOURCE_ROOT LAYER...

The layers are given from the bottom up. A file in a layer's folder may include headers of
its own folder and of the folders below it; an include of a layer above it, or of any other
folder of the source tree (tools, tests, ...), is an error. Prints one line per wrong
include and exits 1 when there is one.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCES = ('.h', '.hpp', '.cpp', '.cc', '.inc')


def wrong_includes(root, layers):
    folders = {entry for entry in os.listdir(root) if os.path.isdir(os.path.join(root, entry))}
    for level, layer in enumerate(layers):
        allowed = set(layers[:level + 1])
        for folder, _, files in os.walk(os.path.join(root, layer)):
            for name in sorted(files):
                if not name.endswith(SOURCES):
                    continue
                path = os.path.join(folder, name)
                with open(path, encoding='utf-8', errors='replace') as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        target = match.group(1)
                        top = target.split('/', 1)[0] if '/' in target else None
                        if '..' in target.split('/') or (
                                top in folders and top not in allowed):
                            yield (f'{os.path.relpath(path, root)}:{number}: {layer} includes '
                                   f'"{target}" (allowed: {", ".join(sorted(allowed))})')


def main():
    if len(sys.argv) < 3:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    root, layers = sys.argv[1], sys.argv[2:]
    missing = [layer for layer in layers if not os.path.isdir(os.path.join(root, layer))]
    if missing:
        print(f'no folder for the layers {", ".join(missing)}', file=sys.stderr)
        return 2
    errors = list(wrong_includes(root, layers))
    for error in errors:
        print(error)
    print(f'{len(errors)} wrong includes in {" -> ".join(layers)}')
    return 1 if errors else 0


if __name__ == '__main__':
    sys.exit(main())
