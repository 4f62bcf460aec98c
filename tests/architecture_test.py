#!/usr/bin/env python3
# Holds ARCHITECTURE.md's folder map to the build: its list of src/'s folders names each
# folder there is; its `deps` block puts each of our targets in the folder whose
# CMakeLists.txt makes it and draws exactly the target_link_libraries arrows between our own
# targets; and no folder depends, through any chain, on itself.
#   tests/architecture_test.py SOURCE_DIR
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
problems = []
TOP = "top"  # the top CMakeLists.txt


def short(target):
    return target.removeprefix("framepicker_")


def without_comments(text):
    """CMake text with its # comments blanked (a # inside a quoted argument stays)."""
    lines = []
    for line in text.splitlines():
        quoted = False
        for i, c in enumerate(line):
            if c == '"':
                quoted = not quoted
            elif c == "#" and not quoted:
                line = line[:i]
                break
        lines.append(line)
    return "\n".join(lines)


# What the build says: each target's folder, and the links between our own targets.
folder_of = {}
links = []
command = re.compile(r"\b(add_library|add_executable|target_link_libraries)\s*\(([^)]*)\)")
lists = [root / "CMakeLists.txt"] + sorted((root / "src").rglob("CMakeLists.txt"))
for path in lists:
    folder = TOP if path.parent == root else path.parent.relative_to(root).as_posix()
    for name, arguments in command.findall(without_comments(path.read_text())):
        words = arguments.split()
        if name == "target_link_libraries":
            links += [(words[0], word) for word in words[1:]]
        elif not {"IMPORTED", "ALIAS"} & set(words):
            folder_of[words[0]] = folder
arrows = {(short(a), short(b)) for a, b in links if a in folder_of and b in folder_of}
member_of = {short(target): folder for target, folder in folder_of.items()}

# What ARCHITECTURE.md says.
document = (root / "ARCHITECTURE.md").read_text()
blocks = re.findall(r"^```deps\n(.*?)^```", document, re.M | re.S)
if len(blocks) != 1:
    sys.exit("ARCHITECTURE.md: expected one ```deps block, found %d" % len(blocks))
drawn, placed = set(), {}
for line in blocks[0].splitlines():
    line = line.strip()
    if "->" in line:
        source, targets = line.split("->", 1)
        drawn |= {(source.strip(), t.strip()) for t in targets.split(",")}
    elif ":" in line:
        folder, targets = line.split(":", 1)
        for target in filter(None, (t.strip() for t in targets.split(","))):
            if target in placed:
                problems.append("%s is placed in both %s and %s" % (target, placed[target], folder.strip()))
            placed[target] = folder.strip()
    elif line:
        problems.append("cannot read the deps line %r (FOLDER: TARGET, ... or TARGET -> TARGET, ...)" % line)

for target in sorted(member_of.keys() | placed.keys()):
    if target not in placed:
        problems.append("%s (made in %s) is missing from the deps block" % (target, member_of[target]))
    elif target not in member_of:
        problems.append("%s is in the deps block, but no CMakeLists.txt makes it" % target)
    elif placed[target] != member_of[target]:
        problems.append("%s is placed in %s, but %s makes it" % (target, placed[target], member_of[target]))
for a, b in sorted(arrows - drawn):
    problems.append("the arrow %s -> %s is missing (%s links it)" % (a, b, member_of[a]))
for a, b in sorted(drawn - arrows):
    problems.append("the arrow %s -> %s is drawn, but no target_link_libraries makes it" % (a, b))

# The folder list: one bullet "- `src/NAME/`" for each folder of src/.
listed = set(re.findall(r"^- `src/(\w+)/`", document, re.M))
folders = {p.name for p in (root / "src").iterdir() if p.is_dir()}
for name in sorted(folders - listed):
    problems.append("the folder src/%s/ is not in the folder list" % name)
for name in sorted(listed - folders):
    problems.append("the folder list names src/%s/, which does not exist" % name)

# No folder cycle, from the build's own links. Each target of the top CMakeLists.txt is a
# node of its own: they belong to no folder of src/.
def node(target):
    return "top:" + target if member_of[target] == TOP else member_of[target]


graph = {}
for a, b in arrows:
    if node(a) != node(b):
        graph.setdefault(node(a), set()).add(node(b))
state = {}


def visit(folder, path):
    state[folder] = "open"
    for next_folder in sorted(graph.get(folder, ())):
        if state.get(next_folder) == "open":
            cycle = path[path.index(next_folder):] + [next_folder]
            problems.append("folder cycle: " + " -> ".join(cycle))
        elif next_folder not in state:
            visit(next_folder, path + [next_folder])
    state[folder] = "done"


for folder in sorted(graph):
    if folder not in state:
        visit(folder, [folder])

if problems:
    print("ARCHITECTURE.md and the build disagree:\n  " + "\n  ".join(problems))
    sys.exit(1)
print("ARCHITECTURE.md: %d targets in %d folders, %d arrows, no folder cycle"
      % (len(member_of), len(set(member_of.values())), len(arrows)))
