#!/usr/bin/env python3
"""Checks that the program's folders depend one way:
app -> game -> display -> records -> picture -> resources -> base.
A source file may include headers of its own folder and of the folders after
it, never of one before it. Prints every include that runs back up and exits 1
if there is one."""
import pathlib
import re
import sys

ORDER = ["app", "game", "display", "records", "picture", "resources", "base"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"', re.MULTILINE)


def upward_includes(root):
    found = []
    for rank, folder in enumerate(ORDER):
        for path in sorted((root / folder).glob("*")):
            if path.suffix not in (".h", ".cpp", ".rc"):
                continue
            for target in INCLUDE.findall(path.read_text(encoding="utf-8")):
                if target in ORDER and ORDER.index(target) < rank:
                    found.append(f"{path.relative_to(root)} includes {target}/")
    return found


if __name__ == "__main__":
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    problems = upward_includes(root)
    for problem in problems:
        print(problem)
    print(f"{len(problems)} include(s) run against the order {' -> '.join(ORDER)}")
    sys.exit(1 if problems else 0)
