"""Numbers of the programs' contract (control ids, scene commands, messages),
read from their C++ headers so that the test drivers never restate them.

    ids = cdefs.read("resources/page_ids.h")   # {"IDC_ENERGY_MAXHEALTH": 57749, ...}

Understands `#define NAME <integer expression>` and `constexpr <type> Name =
<integer expression>;` at the start of a line, where the expression holds
decimal or hex numbers, names defined before it in the same header, + - * and
parentheses. Anything else (function-like macros, functions) is skipped."""
import ast
import functools
import operator
import os
import re

SOURCE_DIR = os.environ.get("GKR_SOURCE_DIR") or os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")

_DEFINE = re.compile(r"^\s*#define\s+(\w+)\s+(.+?)\s*(?:/\*.*)?$")
_CONSTEXPR = re.compile(r"^\s*constexpr\s+[\w:]+\s+(\w+)\s*=\s*([^;]+);")
_OPS = {ast.Add: operator.add, ast.Sub: operator.sub, ast.Mult: operator.mul}


def _evaluate(text, known):
    def value(node):
        if isinstance(node, ast.Constant) and isinstance(node.value, int):
            return node.value
        if isinstance(node, ast.Name) and node.id in known:
            return known[node.id]
        if isinstance(node, ast.UnaryOp) and isinstance(node.op, ast.USub):
            return -value(node.operand)
        if isinstance(node, ast.BinOp) and type(node.op) in _OPS:
            return _OPS[type(node.op)](value(node.left), value(node.right))
        raise ValueError(text)
    return value(ast.parse(text.strip(), mode="eval").body)


@functools.lru_cache(maxsize=None)
def read(relative_path):
    """Name -> integer for every integer constant of the header."""
    known = {}
    with open(os.path.join(SOURCE_DIR, relative_path), encoding="utf-8") as header:
        for line in header:
            line = line.split("//", 1)[0]
            match = _DEFINE.match(line) or _CONSTEXPR.match(line)
            if not match:
                continue
            try:
                known[match.group(1)] = _evaluate(match.group(2), known)
            except (ValueError, SyntaxError):
                pass
    return known


class Constants:
    """Attribute access to a header's constants: cdefs.Constants("x.h").NAME."""

    def __init__(self, *relative_paths):
        for path in relative_paths:
            self.__dict__.update(read(path))
