#!/usr/bin/env python3
"""Fails when an #include runs against the layers of the tree.

- platform/, shared/ and resources/ include nothing from host/, plugins/ or tools/;
- a plug-in includes nothing from host/ or tools/;
- the simulator includes nothing from host/: its truth is computed apart from the host's;
- host/core/ includes nothing from host/services/, host/views/ or tools/, and host/services/
  nothing from host/views/ or tools/: the services stay free of widgets;
- the folders of host/core/ (and so their files) include each other in no loop.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SOURCES = ('.h', '.cpp')
RULES = {
    'platform/': ('host/', 'plugins/', 'tools/'),
    'shared/': ('host/', 'plugins/', 'tools/'),
    'resources/': ('host/', 'plugins/', 'tools/'),
    'plugins/': ('host/', 'tools/'),
    'tools/sim/': ('host/',),
    'host/core/': ('host/services/', 'host/views/', 'tools/'),
    'host/services/': ('host/views/', 'tools/'),
}


def includes(root):
    """(file, included path) for every quoted include of the tree's sources, paths from the root."""
    for path in sorted(root.rglob('*')):
        relative = path.relative_to(root).as_posix()
        if path.suffix not in SOURCES or relative.startswith(('build', '.')):
            continue
        for name in INCLUDE.findall(path.read_text(errors='replace')):
            beside = (path.parent / name).relative_to(root).as_posix()
            yield relative, beside if (root / beside).exists() else name


def crossed_layers(edges):
    return [f'{source} includes {target}' for source, target in edges
            for layer, forbidden in RULES.items()
            if source.startswith(layer) and target.startswith(forbidden)]


def core_folder(path):
    parts = path.split('/')
    return '/'.join(parts[:3]) if path.startswith('host/core/') and len(parts) > 3 else None


def folder_loop(edges):
    """A loop of host/core folders as a list, or None."""
    graph = {}
    for source, target in edges:
        a, b = core_folder(source), core_folder(target)
        if a and b and a != b:
            graph.setdefault(a, set()).add(b)
    finished = set()

    def visit(node, trail):
        if node in trail:
            return trail[trail.index(node):] + [node]
        if node in finished:
            return None
        for next_node in sorted(graph.get(node, ())):
            loop = visit(next_node, trail + [node])
            if loop:
                return loop
        finished.add(node)
        return None

    for node in sorted(graph):
        loop = visit(node, [])
        if loop:
            return loop
    return None


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else '.').resolve()
    edges = list(includes(root))
    problems = crossed_layers(edges)
    loop = folder_loop(edges)
    if loop:
        problems.append('host/core folders include each other in a loop: ' + ' -> '.join(loop))
    for problem in problems:
        print(problem)
    print(f'{len(edges)} includes checked, {len(problems)} against the layers')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
