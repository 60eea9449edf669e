#!/usr/bin/python3
"""Planted-fault check for the tests (run through scripts/mutants).

Makes a reproducible list of single-line faults in src/ from a seed and a count, then plants
each in a scratch copy of the project, builds only what the changed file belongs to, runs only
the test programs that link it (each stopped at its first failure) and reports whether a test
caught the fault, counting a failure only when a second run of the same build repeats it. The
fault maker is a small set of regular-expression rules over the lines of real code, in the
manner of regexp-based mutation tools, with a light scanner that knows comments, string
literals and which braces open a function body.
"""

import argparse
import hashlib
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
SRC = ROOT / "src"
WORK = ROOT / "build" / "mutants"
TREE = WORK / "tree"
LOGS = WORK / "logs"

KINDS = ("comparison", "logical", "negation", "constant", "statement", "early-return",
         "return-value")

# ---------------------------------------------------------------------------------------------
# Reading the sources


def mask_source(text):
    """The text with comments blanked and the inside of string and character literals replaced
    by 'x', same length and same line breaks, so rules never match inside either."""
    out = list(text)
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out[i:j] = " " * (j - i)
            i = j
            continue
        if text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            for k in range(i, j):
                if text[k] != "\n":
                    out[k] = " "
            i = j
            continue
        if c == "R" and text.startswith('R"', i) and (
                i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")
                or text[max(0, i - 2):i] in ("u8",) or text[i - 1] in "uUL"):
            open_paren = text.find("(", i + 2)
            delim = text[i + 2:open_paren]
            end = text.find(")" + delim + '"', open_paren)
            end = n if end < 0 else end + len(delim) + 2
            for k in range(open_paren + 1, end - len(delim) - 2):
                if text[k] != "\n":
                    out[k] = "x"
            i = end
            continue
        if c == "'" and re.search(r"\b[0-9][0-9A-Fa-fxX']*$", text[max(0, i - 24):i]):
            i += 1  # a digit separator
            continue
        if c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            for k in range(i + 1, min(j, n)):
                out[k] = "x"
            i = j + 1
            continue
        i += 1
    return "".join(out)


CONTROL_HEADER = re.compile(r"^(?:else\s+)?(?:if|while|for|switch)\s*\(.*\)$|^else$|^do$")
LABEL = re.compile(r"^(?:case\b.*|default\s*):$")
SKIPPED_HEADS = {"static_assert", "using", "namespace", "template", "typedef", "friend",
                 "extern", "public:", "private:", "protected:", "#"}
DECLARATION = re.compile(
    r"^(?:(?:const|constexpr|static|inline|thread_local|volatile|unsigned|signed|long|short)\s+)*"
    r"[A-Za-z_][\w:]*(?:<[^;=()]*>)?(?:\s*[*&]+\s*|\s+)(?:const\s+)?[*&]*[A-Za-z_]\w*\s*[=({;\[]"
    r"|^(?:const\s+)?auto\s*&{0,2}\s*\[")
STATEMENT_KEYWORDS = {"return", "throw", "delete", "goto", "co_return", "else", "case",
                      "default", "break", "continue", "do"}


def paren_balanced(s):
    depth = 0
    for ch in s:
        if ch == "(":
            depth += 1
        elif ch == ")":
            depth -= 1
            if depth < 0:
                return False
    return depth == 0


def is_control_header(pending):
    return bool(CONTROL_HEADER.match(pending)) and paren_balanced(pending)


def classify_brace(pending):
    """What a '{' opens, from the statement text before it: 'ns', 'type', 'code' or 'init'."""
    p = pending.strip()
    if re.search(r"\bnamespace\b", p) or p.startswith("extern"):
        return "ns"
    if re.search(r"\b(class|struct|union|enum)\b", p) and not re.search(r"\)\s*(const)?$", p):
        return "type"
    if (p == "" or p.endswith(")") or p.endswith("]") or p.endswith(":")
            or re.search(r"\b(else|do|try|const|noexcept|override|final|mutable)$", p)
            or re.search(r"\)\s*->\s*[\w:<>, *&]+$", p)):
        return "code"
    return "init"


@dataclass
class Line:
    number: int          # 1-based
    text: str            # the line as in the file
    masked: str          # the same with comments and literals masked
    stack: tuple         # what the open braces at the line's start are
    starts: bool         # a statement begins at the line's start
    head: str            # the first word of the statement the line belongs to
    pending: str         # the unfinished statement text before the line
    function: str = "-"  # the function the line is in (outside functions: class or table)


# A name followed by its parameter list: qualified names, destructors and operators.
CALLED_NAME = re.compile(
    r"((?:[A-Za-z_]\w*(?:<[^<>()]*>)?::)*"
    r"(?:operator\s*(?:\(\)|\[\]|[^\w\s(]+|\s+[A-Za-z_][\w:]*)|~?[A-Za-z_]\w*))\s*\(")
NOT_FUNCTION_NAMES = {"decltype", "noexcept", "alignas", "alignof", "sizeof", "throw",
                      "requires", "__attribute__", "if", "while", "for", "switch"}


def function_name(signature):
    """The name a function definition declares, from the text before its body's brace."""
    # Access labels and the member initialisers of a constructor are not the declaration.
    s = re.sub(r"\b(?:public|private|protected)\s*:(?!:)", " ", signature)
    depth = 0
    for k, ch in enumerate(s):
        depth += ch in "(<["
        depth -= ch in ")>]" and depth > 0
        if (ch == ":" and depth == 0 and s[k - 1:k] != ":" and s[k + 1:k + 2] != ":"
                and s[:k].rstrip().endswith((")", "noexcept"))):
            s = s[:k]
            break
    name = None
    for match in CALLED_NAME.finditer(s):
        before = s[:match.end() - 1]
        if before.count("(") - before.count(")") != 0:
            continue  # a call inside a default argument or a macro's arguments
        if match.group(1).split("::")[-1] not in NOT_FUNCTION_NAMES:
            name = match.group(1)
    if name is None:
        # A lambda at namespace scope: the variable it is stored in.
        match = re.search(r"([A-Za-z_]\w*)\s*=\s*\[", s)
        name = match.group(1) if match else None
    return re.sub(r"\s*([^\w\s])\s*", r"\1", re.sub(r"\s+", " ", name)) if name else None


def brace_name(kind, pending, signature, stack, names):
    """What a brace is known by in the function column: a function body its function (members
    defined in a class named after the class), a class its name, a table its variable."""
    # A class's entry is already qualified by the classes around it.
    types = [n for k, n in zip(stack, names) if k == "type" and n][-1:]
    if kind == "code" and "code" not in stack:
        name = function_name(signature)
        if name and types and "::" not in name:
            name = "::".join(types + [name])
        # No name: braces of a table that the brace rule takes for code.
        return name or scope_name(stack, names)
    if kind == "type":
        match = re.search(r"\b(?:class|struct|union|enum)\s+(?:class\s+|struct\s+)?"
                          r"(?:\[\[[^\]]*\]\]\s*)?([A-Za-z_]\w*)",
                          without_template_head(pending))
        return "::".join(types + [match.group(1)]) if match else ""
    if kind == "init":
        match = re.search(r"([A-Za-z_]\w*)\s*(?:\[[^\]]*\]\s*)*=?\s*$", pending.strip())
        return match.group(1) if match else ""
    return ""


def without_template_head(text):
    """The text after a leading 'template <...>', whose 'class T' names no class."""
    text = text.strip()
    if not re.match(r"template\s*<", text):
        return text
    depth = 0
    for k, ch in enumerate(text):
        depth += ch == "<"
        depth -= ch == ">"
        if ch == ">" and depth == 0:
            return without_template_head(text[k + 1:])
    return text


def scope_name(stack, names):
    """The function a line with these open braces is in, else its innermost class or table."""
    for kind, name in zip(stack, names):
        if kind == "code":
            return name
    named = [n for n in names if n]
    return named[-1] if named else "-"


def scan(text):
    masked = mask_source(text)
    lines = []
    stack = []
    names = []        # beside stack: what each brace is known by ('' for none)
    pending = ""
    # The declaration before a brace; unlike pending it keeps the braces of member
    # initialisers, so that a constructor's body still sees the constructor's name.
    signature = ""
    paren = 0
    continuation = False
    for number, (orig, m) in enumerate(zip(text.split("\n"), masked.split("\n")), 1):
        stripped = m.strip()
        if continuation or stripped.startswith("#"):
            continuation = m.rstrip().endswith("\\")
            lines.append(Line(number, orig, m, tuple(stack), False, "#", pending.strip(),
                              scope_name(stack, names)))
            continue
        before = pending.strip()
        starts = before == "" or is_control_header(before) or bool(LABEL.match(before))
        statement = stripped if starts else before
        head = statement.split()[0] if statement.split() else ""
        if head.startswith("static_assert"):
            head = "static_assert"
        line_stack = tuple(stack)
        function = scope_name(stack, names)
        opened = None     # a function whose body opens on this line
        for ch in m:
            if ch == "(":
                paren += 1
            elif ch == ")":
                paren = max(0, paren - 1)
            if ch == "{":
                kind = classify_brace(pending)
                name = brace_name(kind, pending, signature, stack, names)
                if kind == "code" and "code" not in stack and opened is None:
                    opened = name
                stack.append(kind)
                names.append(name)
                pending = ""
                signature = signature + ch if kind == "init" else ""
            elif ch == "}":
                kind = stack.pop() if stack else ""
                if names:
                    names.pop()
                pending = ""
                signature = signature + ch if kind == "init" else ""
            elif ch == ";" and paren == 0:
                pending = ""
                signature = ""
            else:
                pending += ch
                signature += ch
        pending += " "
        signature += " "
        if LABEL.match(pending.strip()):
            pending = ""
        if opened is not None and "code" not in line_stack:
            function = opened
        lines.append(Line(number, orig, m, line_stack, starts, head, before, function))
    return lines


# ---------------------------------------------------------------------------------------------
# The fault rules


@dataclass(frozen=True)
class Fault:
    path: str       # relative to the project root
    line: int
    kind: str
    original: str   # the line without its indentation
    mutated: str    # the line that replaces it, without indentation
    function: str = "-"   # the function the line is in ('-' none), '' when a list does not say

    @property
    def folder(self):
        return folder_of(self.path)


def folder_of(path):
    return str(Path(path).parent.relative_to("src"))


def splice(text, start, end, new):
    return text[:start] + new + text[end:]


def one_statement(m):
    """True when the masked line holds exactly one complete statement."""
    s = m.strip()
    if not s.endswith(";") or not paren_balanced(s) or s.count("{") != s.count("}"):
        return False
    depth = 0
    semis = 0
    for ch in s:
        depth += ch == "("
        depth -= ch == ")"
        if ch == ";" and depth == 0:
            semis += 1
    return semis == 1


def matching_paren(m, open_index):
    depth = 0
    for k in range(open_index, len(m)):
        if m[k] == "(":
            depth += 1
        elif m[k] == ")":
            depth -= 1
            if depth == 0:
                return k
    return -1


def top_level_is_primary(expr):
    """True when expr has no operator outside its parentheses (a name, call or member)."""
    depth = 0
    for ch in expr:
        if ch in "([":
            depth += 1
        elif ch in ")]":
            depth -= 1
        elif depth == 0 and (ch.isspace() or ch in "?:!<>=&|+-*/%^,"):
            if ch == ":" :
                continue
            return False
    return True


RELATIONAL = {"<": ["<=", ">="], "<=": ["<", ">"], ">": [">=", "<="], ">=": [">", "<"],
              "==": ["!="], "!=": ["=="]}
EQUIVALENT_RETURNS = {"{}", "nullptr", "std::nullopt", "0", "false", '""', "u\"\"",
                      "std::string()", "std::u16string()"}


def line_faults(line):
    """Every fault the rules make of one line, as (kind, mutated line) pairs, indentation kept
    out. Empty for lines that are not code worth changing."""
    o, m = line.text, line.masked
    s = m.strip()
    if not s or line.head in SKIPPED_HEADS or line.head == "#":
        return []
    if re.fullmatch(r"[{}();,\s]*", s) or "static_assert" in s:
        return []
    if re.search(r"=\s*(delete|default)\s*;", s):
        return []
    in_code = bool(line.stack) and line.stack[-1] == "code"
    faults = []

    # Comparisons and logical operators: only with a space on both sides, which tells them
    # from template brackets, shifts, arrows and references in this code base.
    for match in re.finditer(r"(?<= )(==|!=|<=|>=|<|>|&&|\|\|)(?= )", m):
        op = match.group(1)
        start, end = match.span()
        if start >= 2 and m[start - 2] in "<>=-":
            continue
        if op in ("&&", "||"):
            faults.append(("logical", splice(o, start, end, "||" if op == "&&" else "&&")))
        else:
            for new in RELATIONAL[op]:
                faults.append(("comparison", splice(o, start, end, new)))

    # Constants.
    for match in re.finditer(r"(?<![\w.'])(0[xX][0-9A-Fa-f']+|[0-9][0-9']*)([uUlLzZ]*)(?![\w.'])",
                             m):
        digits = match.group(1).replace("'", "")
        value = int(digits, 16) if digits[:2].lower() == "0x" else int(digits, 10)
        if digits.startswith("0") and len(digits) > 1 and digits[:2].lower() != "0x":
            continue  # octal: leave alone
        new_value = 1 if value == 0 else 0 if value == 1 else value + 1
        if digits[:2].lower() == "0x":
            width = len(digits) - 2
            text = format(new_value, "0%dX" % width)
            if digits[2:].islower():
                text = text.lower()
            new = digits[:2] + text
        else:
            new = str(new_value)
        faults.append(("constant", splice(o, match.start(1), match.end(1), new)))
    for match in re.finditer(r"\b(true|false)\b", m):
        new = "false" if match.group(1) == "true" else "true"
        faults.append(("constant", splice(o, match.start(), match.end(), new)))

    if not in_code:
        return dedupe(o, faults)

    # A condition negated.
    for match in re.finditer(r"\b(if|while)\s*\(", m):
        if re.match(r"\s*constexpr", m[match.end():]):
            continue
        open_index = match.end() - 1
        close = matching_paren(m, open_index)
        if close < 0:
            continue
        cond_m = m[open_index + 1:close]
        cond_o = o[open_index + 1:close]
        if ";" in cond_m or re.match(r"\s*(const\s+)?auto\b", cond_m) or DECLARATION.match(
                cond_m.strip()):
            continue  # an if with a declaration or an initialiser: no plain condition
        if cond_m.startswith("!") and top_level_is_primary(cond_m[1:].strip()):
            new = cond_o[1:].lstrip()
        elif top_level_is_primary(cond_m.strip()):
            new = "!" + cond_o.strip()
        else:
            new = "!(" + cond_o + ")"
        faults.append(("negation", splice(o, open_index + 1, close, new)))

    # Whole statements: removed, early returns removed, returned values replaced.
    if line.starts and one_statement(m):
        words = s.split()
        first = re.match(r"[A-Za-z_]\w*", s)
        first = first.group(0) if first else ""
        single_if_return = re.match(r"^(?:else\s+)?if\s*\(.*\)\s*return\b", s)
        code_depth = sum(1 for k in line.stack if k == "code")
        if first == "return" or single_if_return:
            early = single_if_return or code_depth >= 2 or is_control_header(line.pending)
            if early:
                faults.append(("early-return", "{}"))
            ret = re.search(r"\breturn\s+(.+?)\s*;\s*$", m)
            if ret:
                expr = o[ret.start(1):ret.end(1)].strip()
                if expr in ("true", "false"):
                    new = "false" if expr == "true" else "true"
                elif expr in EQUIVALENT_RETURNS or expr.startswith("*this"):
                    new = None
                else:
                    new = "{}"
                if new:
                    faults.append(("return-value", splice(o, ret.start(1), ret.end(1), new)))
        elif (first not in STATEMENT_KEYWORDS - {"break", "continue"} and words
              and not DECLARATION.match(s)):
            faults.append(("statement", "{}"))
    return dedupe(o, faults)


def dedupe(original, faults):
    seen = set()
    result = []
    stripped = original.strip()
    for kind, mutated in faults:
        new = mutated.strip()
        if new == stripped or new in seen:
            continue
        seen.add(new)
        result.append((kind, new))
    return result


def source_files():
    return sorted(p for p in SRC.rglob("*") if p.suffix in (".cpp", ".h") and p.is_file())


def read_text(path):
    return path.read_text(encoding="utf-8")


OUTSIDE_WEIGHT = 0.1


def candidate_faults():
    """Every fault the rules make over src/, grouped: {folder: {(path, line): [Fault]}}; each
    line's weight in the draw (lines in function bodies 1, others such as tables and constants
    at namespace scope OUTSIDE_WEIGHT, so that a long table does not crowd out the code); and
    each folder's count of non-blank lines."""
    by_folder = {}
    weights = {}
    lines_per_folder = {}
    for path in source_files():
        rel = str(path.relative_to(ROOT))
        folder = folder_of(rel)
        text = read_text(path)
        lines_per_folder[folder] = lines_per_folder.get(folder, 0) + sum(
            1 for l in text.split("\n") if l.strip())
        for line in scan(text):
            if "\t" in line.text:
                continue
            faults = [Fault(rel, line.number, kind, line.text.strip(), mutated, line.function)
                      for kind, mutated in line_faults(line)]
            if faults:
                by_folder.setdefault(folder, {})[(rel, line.number)] = faults
                weights[(rel, line.number)] = 1.0 if "code" in line.stack else OUTSIDE_WEIGHT
    return by_folder, weights, lines_per_folder


def allocate(count, weights):
    """Splits count over the folders in proportion to their lines (largest remainders), with
    at least one fault for every folder while the count allows it."""
    folders = sorted(weights)
    total = sum(weights.values())
    if count >= len(folders):
        shares = {f: 1 for f in folders}
        rest = count - len(folders)
        exact = {f: count * weights[f] / total for f in folders}
        # Folders whose proportional share is below one already have their one.
        extra = {f: max(0.0, exact[f] - 1) for f in folders}
        extra_total = sum(extra.values()) or 1
        scaled = {f: rest * extra[f] / extra_total for f in folders}
    else:
        shares = {f: 0 for f in folders}
        scaled = {f: count * weights[f] / total for f in folders}
    for f in folders:
        shares[f] += int(scaled[f])
    left = count - sum(shares.values())
    for f in sorted(folders, key=lambda f: (-(scaled[f] - int(scaled[f])), f))[:left]:
        shares[f] += 1
    return shares


def make_list(seed, count, folders_wanted):
    by_folder, weights, lines_per_folder = candidate_faults()
    folders = {f: lines_per_folder[f] for f in by_folder
               if not folders_wanted or any(in_folder(f, w) for w in folders_wanted)}
    if not folders:
        sys.exit("mutants: no source folder matches %s" % ", ".join(folders_wanted))
    shares = allocate(count, folders)
    faults = []
    for folder in sorted(folders):
        rng = random.Random("%s/%s" % (seed, folder))
        # A weighted draw without replacement: each line's key is u^(1/weight), the largest win.
        keyed = sorted(((rng.random() ** (1.0 / weights[key]), key)
                        for key in sorted(by_folder[folder])), reverse=True)
        for _, key in keyed[:shares[folder]]:
            options = by_folder[folder][key]
            kind = rng.choice(sorted({f.kind for f in options}))
            faults.append(rng.choice([f for f in options if f.kind == kind]))
    faults.sort(key=lambda f: (f.path, f.line))
    return faults


def in_folder(folder, wanted):
    wanted = wanted.strip("/")
    if wanted.startswith("src/"):
        wanted = wanted[4:]
    return folder == wanted or folder.startswith(wanted + "/")


def source_digest():
    digest = hashlib.sha1()
    for path in source_files():
        digest.update(str(path.relative_to(ROOT)).encode() + b"\0" + path.read_bytes() + b"\0")
    return digest.hexdigest()[:12]


# ---------------------------------------------------------------------------------------------
# The results file: comment lines start with '#'; one fault a line, tab-separated.

COLUMNS = "file:line\tfunction\tkind\toriginal line\tmutated line\tresult\tby\tseconds\tnote"
# Results that leave a fault out of the caught and missed totals without building anything.
NOT_PLANTED = ("stale", "moved")


@dataclass
class Outcome:
    result: str = "-"     # caught, missed, no-compile, stale, moved, or '-' when not run
    by: str = "-"
    seconds: float = 0.0
    build_seconds: float = 0.0
    note: str = ""


def read_list(path):
    """The faults of a list or results file, the results it holds (None where it has none)
    and the fields of its first line."""
    faults = []
    earlier = []
    header = {}
    for raw in Path(path).read_text(encoding="utf-8").split("\n"):
        if not raw.strip():
            continue
        if raw.startswith("#"):
            for key, value in re.findall(r"(\w[\w-]*)=(\S+)", raw):
                header.setdefault(key, value)
            continue
        fields = raw.split("\t")
        # Files written before the function column have the kind second.
        function = ""
        if len(fields) > 2 and fields[1] not in KINDS:
            function = fields.pop(1)
            function = "" if function == "?" else function
        if len(fields) < 4 or ":" not in fields[0] or fields[1] not in KINDS:
            sys.exit("mutants: %s: cannot read the line: %s" % (path, raw))
        where, line = fields[0].rsplit(":", 1)
        faults.append(Fault(where, int(line), fields[1], fields[2], fields[3], function))
        earlier.append(fields[4] if len(fields) > 4 and fields[4] != "-" else None)
    return faults, earlier, header


def record(fault, outcome):
    seconds = "%.1f" % outcome.seconds if outcome.result not in ("-",) + NOT_PLANTED else "-"
    return "\t".join(["%s:%d" % (fault.path, fault.line), fault.function or "?", fault.kind,
                      fault.original, fault.mutated, outcome.result, outcome.by, seconds,
                      outcome.note])


def change_text(fault):
    """The changed part of the line with a word of context each side, for the report."""
    a, b = fault.original, fault.mutated
    if b == "{}":
        return "%s → (removed)" % a
    start = 0
    while start < min(len(a), len(b)) and a[start] == b[start]:
        start += 1
    end_a, end_b = len(a), len(b)
    while end_a > start and end_b > start and a[end_a - 1] == b[end_b - 1]:
        end_a -= 1
        end_b -= 1
    # Back to the start of the word before the change, on to the end of the word after it.
    lo = a.rfind(" ", 0, start)
    lo = a.rfind(" ", 0, lo) + 1 if lo > 0 else 0
    hi_a = a.find(" ", end_a + 1)
    hi_a = a.find(" ", hi_a + 1) if hi_a >= 0 else -1
    hi_a = len(a) if hi_a < 0 else hi_a
    hi_b = hi_a - end_a + end_b
    return "%s → %s" % (a[lo:hi_a].strip(), b[lo:hi_b].strip())


def report_line(fault, outcome=None, before=None):
    text = "%s:%d  %s  %s" % (fault.path, fault.line, fault.kind, change_text(fault))
    if outcome is None or outcome.result == "-":
        return text
    if outcome.result == "caught":
        text += "  caught by %s" % outcome.by
    elif outcome.result == "missed":
        text += "  missed by %s" % (outcome.by.replace("+", ", ") if outcome.by != "-"
                                    else "every test (none links the file)")
    else:
        text += "  %s" % outcome.result
    if outcome.result not in NOT_PLANTED:
        text += "  (%.0f s: build %.0f s)" % (outcome.seconds, outcome.build_seconds)
    if outcome.note:
        text += "  %s" % outcome.note
    if before and before != outcome.result:
        text += "  [was %s]" % before
    return text


def totals(faults, outcomes, dry):
    lines = []
    def count(items, result):
        return sum(1 for _, o in items if o.result == result)
    pairs = list(zip(faults, outcomes))
    if dry:
        lines.append("%d faults" % len(faults))
    else:
        caught, missed = count(pairs, "caught"), count(pairs, "missed")
        timeouts = sum(1 for _, o in pairs
                       if o.result == "caught" and o.note.startswith("time-out"))
        unrepeated = sum(1 for _, o in pairs if "unrepeated failure" in o.note)
        lines.append("caught %d, missed %d (of %d that compiled); skipped: %d no-compile, "
                     "%d stale, %d moved; %d caught by a time-out; %d with an unrepeated "
                     "failure" % (
                         caught, missed, caught + missed, count(pairs, "no-compile"),
                         count(pairs, "stale"), count(pairs, "moved"), timeouts, unrepeated))
    for title, key in (("folder", lambda f: f.folder), ("kind", lambda f: f.kind)):
        groups = {}
        for fault, outcome in pairs:
            groups.setdefault(key(fault), []).append((fault, outcome))
        for name in sorted(groups):
            items = groups[name]
            if dry:
                lines.append("  %-6s %-14s %3d" % (title, name, len(items)))
            else:
                lines.append("  %-6s %-14s %3d: caught %d, missed %d, no-compile %d%s" % (
                    title, name, len(items), count(items, "caught"), count(items, "missed"),
                    count(items, "no-compile"),
                    "".join(", %s %d" % (r, count(items, r)) for r in NOT_PLANTED
                            if count(items, r))))
    return lines


# ---------------------------------------------------------------------------------------------
# The scratch copy and its builds


def run_quiet(args, log, cwd=None, timeout=None):
    with open(log, "ab") as out:
        return subprocess.run(args, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                              stdin=subprocess.DEVNULL, timeout=timeout).returncode


def project_files():
    listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                            cwd=ROOT, check=True, capture_output=True).stdout.decode()
    return sorted(p for p in listed.split("\0") if p and (ROOT / p).is_file())


def sync_tree():
    """Makes the scratch copy equal to the working tree's files, touching only those that
    differ, so the copy's build directories stay incremental."""
    wanted = set(project_files())
    for rel in wanted:
        source, target = ROOT / rel, TREE / rel
        data = source.read_bytes()
        if not target.is_file() or target.read_bytes() != data:
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
            shutil.copymode(source, target)
    for path in sorted(TREE.rglob("*"), reverse=True):
        rel = str(path.relative_to(TREE))
        if rel == "build" or rel.startswith("build/"):
            continue
        if path.is_file() and rel not in wanted:
            path.unlink()


class Build:
    """One persistent build directory of the scratch copy."""

    def __init__(self, preset, programs, wine):
        self.preset = preset
        self.dir = TREE / "build" / preset
        self.programs = programs          # test programs, fastest first
        self.wine = wine
        self.depends = {}                 # program -> set of absolute source paths

    def configure(self):
        if (self.dir / "build.ninja").exists():
            return True
        log = LOGS / ("%s.configure.log" % self.preset)
        args = ["cmake", "--preset", self.preset, "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache",
                "-DCMAKE_C_COMPILER_LAUNCHER=ccache",
                # A fault that lets a function end without its return value would only crash
                # somewhere: such faults count as not compiling.
                "-DCMAKE_CXX_FLAGS=-Werror=return-type"]
        return run_quiet(args, log, cwd=TREE) == 0

    def build(self, programs, log):
        args = ["ninja", "-C", str(self.dir), "-j", str(os.cpu_count() or 2)] + list(programs)
        return run_quiet(args, log) == 0

    def executable(self, program):
        return self.dir / "tests" / (program + (".exe" if self.wine else ""))

    def label(self, program):
        return program + (".exe" if self.wine else "")

    def learn_dependencies(self):
        """Which sources each test program depends on, from ninja's graph and its log of the
        headers every object included."""
        deps = subprocess.run(["ninja", "-C", str(self.dir), "-t", "deps"], capture_output=True,
                              text=True, check=True).stdout
        object_deps = {}
        current = None
        for raw in deps.split("\n"):
            if raw and not raw.startswith(" "):
                current = raw.split(":")[0]
                object_deps[current] = set()
            elif raw.strip() and current:
                object_deps[current].add(self.absolute(raw.strip()))
        for program in self.programs:
            inputs = subprocess.run(["ninja", "-C", str(self.dir), "-t", "inputs", program],
                                    capture_output=True, text=True, check=True).stdout.split()
            seen = set()
            for item in inputs:
                seen.add(self.absolute(item))
                seen.update(object_deps.get(item, ()))
            self.depends[program] = {p for p in seen if p.startswith(str(TREE / "src") + "/")}

    def absolute(self, path):
        return os.path.normpath(os.path.join(self.dir, path))

    def programs_for(self, path):
        target = str(TREE / path)
        return [p for p in self.programs if target in self.depends.get(p, ())]


class Wine:
    """One wineserver for the whole run, in the private prefix set up by scripts/mutants."""

    def __init__(self):
        self.started = False

    def ensure(self):
        if self.started:
            return
        subprocess.Popen(["wineserver", "-p"], stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL).wait()
        subprocess.run(["wine", "cmd", "/c", "exit"], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        self.started = True

    def reset(self):
        """Ends every process of the prefix (a hung test and the program it started)."""
        subprocess.run(["wineserver", "-k"], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        self.started = False

    def stop(self):
        if self.started:
            self.reset()


def run_program(build, program, log, limit, wine):
    """Runs one test program to its first failure. Returns (status, seconds, note) with
    status 'passed', 'failed' or 'time-out'."""
    exe = build.executable(program)
    args = (["wine", str(exe)] if build.wine else [str(exe)]) + [
        "--gtest_fail_fast", "--gtest_brief=1"]
    if build.wine:
        wine.ensure()
    begin = time.monotonic()
    with open(log, "wb") as out:
        process = subprocess.Popen(args, cwd=exe.parent, stdout=out, stderr=subprocess.STDOUT,
                                   stdin=subprocess.DEVNULL, start_new_session=True)
        try:
            code = process.wait(timeout=limit)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            if build.wine:
                wine.reset()
            return "time-out", time.monotonic() - begin, "time-out after %d s" % limit
        except BaseException:
            # Interrupted: the program runs in a session of its own, so end it here.
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            raise
    seconds = time.monotonic() - begin
    if code == 0:
        return "passed", seconds, ""
    text = Path(log).read_text(encoding="utf-8", errors="replace")
    failed = re.search(r"^\[  FAILED  \] (\S+)", text, re.M)
    return "failed", seconds, failed.group(1) if failed else "exit status %d" % code


# ---------------------------------------------------------------------------------------------
# Planting a fault


def find_line(fault):
    """The line of the scratch copy to plant a listed fault on: (line number, '', ''), or
    (None, 'stale' or 'moved', why) when there is none."""
    path = TREE / fault.path
    if not path.is_file():
        return None, "stale", "the file is gone"
    text = path.read_bytes().decode("utf-8")
    lines = text.split("\n")
    if fault.line <= len(lines) and lines[fault.line - 1].strip() == fault.original:
        return fault.line, "", ""
    same = [line for line in scan(text) if line.text.strip() == fault.original]
    if not same:
        return None, "stale", "no line reads as recorded"
    # Edits above it move a line, but the same text in another function is another line (a
    # call that two handlers both make), so it is planted only in its own function.
    if fault.function:
        own = [line.number for line in same if line.function == fault.function]
        if own:
            return min(own, key=lambda n: abs(n - fault.line)), "", ""
        return None, "moved", "no longer in %s; the same text is in %s" % (
            fault.function, ", ".join(sorted({line.function for line in same})))
    return None, "moved", "the line moved and the list names no function"


def apply_fault(fault, at):
    """Writes the fault into line at of the scratch copy; returns the file's original bytes."""
    path = TREE / fault.path
    data = path.read_bytes()
    lines = data.decode("utf-8").split("\n")
    old = lines[at - 1]
    indent = old[:len(old) - len(old.lstrip())]
    ending = "\r" if old.endswith("\r") else ""
    lines[at - 1] = indent + fault.mutated + ending
    path.write_bytes("\n".join(lines).encode("utf-8"))
    return data


class Runner:
    def __init__(self, args):
        self.native = Build("native", ["core_tests"], wine=False)
        self.mingw = Build("mingw", ["core_tests", "win32_tests", "e2e_tests"], wine=True)
        self.wine = Wine()
        self.limits = {}
        self.timeout_floor = args.timeout

    def prepare(self, need_native, need_mingw):
        LOGS.mkdir(parents=True, exist_ok=True)
        TREE.mkdir(parents=True, exist_ok=True)
        os.environ.setdefault("CCACHE_DIR", str(WORK / "ccache"))
        step("copying the project to %s" % TREE.relative_to(ROOT))
        sync_tree()
        for build, needed in ((self.native, need_native), (self.mingw, need_mingw)):
            if not needed:
                continue
            first = not (build.dir / "build.ninja").exists()
            step("building %s%s" % (build.preset, " (first time: a few minutes)" if first else ""))
            log = LOGS / ("%s.build.log" % build.preset)
            log.write_bytes(b"")
            if not build.configure() or not build.build(build.programs, log):
                sys.exit("mutants: the unchanged scratch copy does not build (%s): see %s"
                         % (build.preset, log.relative_to(ROOT)))
            build.learn_dependencies()
            for program in build.programs:
                label = build.label(program)
                log = LOGS / ("%s.unchanged.log" % label)
                status, seconds, note = run_program(build, program, log, 3600, self.wine)
                if status != "passed":
                    # Once more: a Wine start can fail now and then on a busy machine.
                    step("%s failed unchanged (%s); trying it once more" % (label, note))
                    shutil.copy(log, log.with_suffix(".first.log"))
                    status, seconds, note = run_program(build, program, log, 3600, self.wine)
                if status != "passed":
                    sys.exit("mutants: %s fails without any fault (%s); see %s" % (
                        label, note, (LOGS / ("%s.unchanged.log" % label)).relative_to(ROOT)))
                # Time limit: well above a normal run; a fault past it counts as caught.
                self.limits[(build.preset, program)] = max(self.timeout_floor,
                                                           int(3 * seconds) + 30)
                step("%s passes unchanged in %.1f s (limit per fault %d s)" % (
                    label, seconds, self.limits[(build.preset, program)]))

    def run_fault(self, fault):
        outcome = Outcome()
        begin = time.monotonic()
        at, result, why = find_line(fault)
        if at is None:
            outcome.result, outcome.note = result, why
            return outcome
        original = apply_fault(fault, at)
        notes = []
        unrepeated = []
        try:
            stages = []
            native_programs = self.native.programs_for(fault.path)
            mingw_programs = self.mingw.programs_for(fault.path)
            if native_programs:
                stages.append((self.native, native_programs))
            if mingw_programs:
                stages.append((self.mingw, mingw_programs))
            ran_any = False
            ran = []
            for build, programs in stages:
                log = LOGS / "fault.build.log"
                log.write_bytes(b"")
                started = time.monotonic()
                built = build.build(programs, log)
                outcome.build_seconds += time.monotonic() - started
                if not built:
                    if not ran_any:
                        outcome.result = "no-compile"
                        notes.append(first_error(log))
                    else:
                        notes.append("does not compile for %s" % build.preset)
                    break
                for program in programs:
                    label = build.label(program)
                    ran.append(label)
                    limit = self.limits[(build.preset, program)]
                    status, seconds, note = run_program(
                        build, program, LOGS / ("%s.fault.log" % label), limit, self.wine)
                    ran_any = True
                    if status == "passed":
                        continue
                    # The same build once more: a failure that does not repeat (a Wine start
                    # that fails now and then on a busy machine) is not the fault's doing.
                    again, _, again_note = run_program(
                        build, program, LOGS / ("%s.fault.repeat.log" % label), limit,
                        self.wine)
                    if again == "passed":
                        unrepeated.append("%s (%s)" % (label, note))
                        continue
                    outcome.result, outcome.by = "caught", label
                    notes.insert(0, note + (" (repeated)" if again_note == note
                                            else " (repeated: %s)" % again_note))
                    break
                if outcome.result == "caught":
                    break
            if outcome.result == "-":
                outcome.result = "missed"
                outcome.by = "+".join(ran) if ran else "-"
                if not stages:
                    notes.append("no test program links this file")
        finally:
            (TREE / fault.path).write_bytes(original)
        if unrepeated:
            notes.append("unrepeated failure in %s" % ", ".join(unrepeated))
        if at != fault.line:
            notes.append("planted at line %d" % at)
        outcome.note = "; ".join(n for n in notes if n)
        outcome.seconds = time.monotonic() - begin
        return outcome


def first_error(log):
    text = Path(log).read_text(encoding="utf-8", errors="replace")
    match = re.search(r"error: (.*)", text)
    return match.group(1).strip()[:100] if match else ""


def step(text):
    print("== " + text, file=sys.stderr, flush=True)


# ---------------------------------------------------------------------------------------------


def parse_args(argv):
    parser = argparse.ArgumentParser(
        prog="scripts/mutants",
        description="Plants single-line faults in src/ one at a time and reports which the "
                    "tests catch.")
    parser.add_argument("seed", nargs="?", help="seed of the fault list (any word or number)")
    parser.add_argument("count", nargs="?", type=int, help="number of faults in the list")
    parser.add_argument("--list", metavar="FILE",
                        help="run the faults stored in FILE (a results or list file) instead "
                             "of making a list")
    parser.add_argument("--folder", action="append", default=[], metavar="DIR",
                        help="only folders of src/ under DIR (e.g. config, ui/main); repeatable. "
                             "A new list then has all COUNT faults there; with --list it "
                             "keeps only that folder's entries")
    parser.add_argument("--dry-run", action="store_true",
                        help="print the list and its spread without building anything")
    parser.add_argument("--out", metavar="FILE",
                        help="results file (default build/mutants/results.txt)")
    parser.add_argument("--timeout", type=int, default=60, metavar="SECONDS",
                        help="smallest time limit of a test program (default 60; the limit "
                             "is three times its unchanged run plus 30 s, at least this)")
    args = parser.parse_args(argv)
    if args.list:
        if args.seed is not None:
            parser.error("give either SEED COUNT or --list FILE")
    elif args.seed is None or args.count is None or args.count <= 0:
        parser.error("SEED and a positive COUNT are needed (or --list FILE)")
    return args


def main(argv):
    args = parse_args(argv)
    digest = source_digest()
    if args.list:
        faults, earlier, header = read_list(args.list)
        if args.folder:
            keep = [i for i, f in enumerate(faults)
                    if any(in_folder(f.folder, w) for w in args.folder)]
            faults, earlier = [faults[i] for i in keep], [earlier[i] for i in keep]
        origin = "list %s (seed %s, count %s)" % (args.list, header.get("seed", "?"),
                                                   header.get("count", "?"))
        if header.get("source") and header["source"] != digest:
            step("the sources differ from those the list was made from (%s, now %s): a "
                 "line that moved is planted only in its function, else marked moved; one "
                 "whose text is gone is marked stale" % (header["source"], digest))
        seed, count = header.get("seed", "?"), header.get("count", str(len(faults)))
    else:
        faults = make_list(args.seed, args.count, args.folder)
        earlier = [None] * len(faults)
        seed, count = args.seed, str(args.count)
        origin = "seed %s, count %s" % (seed, count)
    out = Path(args.out) if args.out else WORK / "results.txt"
    if args.list and out.resolve() == Path(args.list).resolve():
        sys.exit("mutants: the results would overwrite the list %s; give another --out FILE"
                 % args.list)
    out.parent.mkdir(parents=True, exist_ok=True)
    header_lines = [
        "# scripts/mutants %s seed=%s count=%s source=%s%s" % (
            "list" if args.dry_run else "results", seed, count, digest,
            " folders=" + ",".join(args.folder) if args.folder else ""),
        "# " + COLUMNS,
    ]

    outcomes = [Outcome() for _ in faults]
    if args.dry_run:
        for fault in faults:
            print(report_line(fault))
        write_results(out, header_lines, faults, outcomes, True)
        print("\n".join(totals(faults, outcomes, True)))
        step("list written to %s" % display_path(out))
        return 0

    runner = Runner(args)
    need_native = any(runner_needs(f, "native") for f in faults)
    need_mingw = any(runner_needs(f, "mingw") for f in faults)
    started = time.monotonic()
    try:
        runner.prepare(need_native, need_mingw)
        step("%d faults from %s; results go to %s" % (len(faults), origin, display_path(out)))
        for index, fault in enumerate(faults):
            outcomes[index] = runner.run_fault(fault)
            print(report_line(fault, outcomes[index], earlier[index]), flush=True)
            write_results(out, header_lines, faults[:index + 1], outcomes[:index + 1], False)
    finally:
        runner.wine.stop()
    write_results(out, header_lines, faults, outcomes, False)
    summary = totals(faults, outcomes, False)
    compared = [(b, o.result) for b, o in zip(earlier, outcomes)
                if b in ("caught", "missed") and o.result in ("caught", "missed")]
    if compared:
        summary.append("against the results in %s: caught before %d, now %d; newly caught %d, "
                       "newly missed %d" % (
                           args.list, sum(b == "caught" for b, _ in compared),
                           sum(n == "caught" for _, n in compared),
                           sum(b == "missed" and n == "caught" for b, n in compared),
                           sum(b == "caught" and n == "missed" for b, n in compared)))
    summary.append("whole run %.0f s" % (time.monotonic() - started))
    print("\n".join(summary))
    with open(out, "a", encoding="utf-8") as handle:
        handle.write("".join("# " + line + "\n" for line in summary))
    return 0


def runner_needs(fault, preset):
    """Whether a fault may need the native or the Windows build (by folder; the exact
    programs come from the build graphs). app/ and ui/ hold portable sources too."""
    parts = Path(fault.path).parts
    portable = parts[1] not in ("window", "system") and "win32" not in parts
    if preset == "native":
        return portable
    return "posix" not in parts


def write_results(out, header_lines, faults, outcomes, dry):
    lines = list(header_lines)
    lines += [record(f, o) for f, o in zip(faults, outcomes)]
    if dry:
        lines += ["# " + line for line in totals(faults, outcomes, True)]
    Path(out).write_text("\n".join(lines) + "\n", encoding="utf-8")


def display_path(path):
    path = Path(path).resolve()
    try:
        return str(path.relative_to(ROOT))
    except ValueError:
        return str(path)


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1:]))
    except KeyboardInterrupt:
        sys.exit(130)
