#!/usr/bin/env python3
"""Checks the test objects that link into one executable for a name that two
of them define: a type or function of a test file outside an anonymous
namespace, defined again by another test file of the executable. The linker
keeps one inline body of such a name and drops the other without a word.

Usage: check-test-symbols.py <source folder> <object>...

Looks at the symbols (weak or strong) that two or more tst_* objects define.
Such a symbol is fine when every outermost name in it (a namespace, type or
function not nested in another) is Qt's, the standard library's or named in
one of the project's shared files (headers and forms); a name that appears
nowhere but in test files belongs to a test file."""
import concurrent.futures
import os
import re
import subprocess
import sys

# Symbol kinds that the linker resolves across objects (weak or strong).
GLOBAL_KINDS = set("BDGRSTVWui")
IDENTIFIER = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
# An identifier not reached through "::" or "." (nor a destructor's "~").
OUTERMOST = re.compile(r"(?<![A-Za-z0-9_:.~])[A-Za-z_][A-Za-z0-9_]*")
# Words of demangled names that are no names of the program.
DEMANGLER_WORDS = set("""
    anonymous namespace lambda const volatile unsigned signed char wchar_t char16_t
    char32_t char8_t short int long float double bool void auto decltype nullptr_t
    operator new delete guard variable for vtable typeinfo name VTT construction
    non virtual thunk to covariant return reference temporary in TLS init
    function wrapper transaction clone enum struct class union unnamed type
    true false sizeof noexcept DW Ui
    """.split())


def foreign(word):
    """Qt's, the standard library's or the compiler's."""
    # The demangler writes the standard library's traits inside std:: templates
    # without their namespace (is_invocable_r_v): those are snake_case.
    return (word.startswith(("Q", "q", "_", "std")) or word in DEMANGLER_WORDS
            or word.isdigit() or ("_" in word and word == word.lower()))


def shared_words(root):
    words = set()
    for folder, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if not d.startswith((".", "build"))]
        for f in files:
            if f.endswith((".h", ".ui")):
                with open(os.path.join(folder, f), errors="replace") as text:
                    found = IDENTIFIER.findall(text.read())
                words.update(found)
                if f.endswith(".ui"):
                    # The form's generated class: Ui_<name>, Ui::<name>.
                    words.update("Ui_" + w for w in found)
    return words


def defined_symbols(obj):
    out = subprocess.run(["nm", "--defined-only", "-C", obj], check=True,
                         capture_output=True, text=True).stdout
    symbols = set()
    for line in out.splitlines():
        parts = line.split(None, 2)
        if len(parts) == 3 and parts[1] in GLOBAL_KINDS:
            symbols.add(parts[2])
    return symbols


def source_of(obj):
    # ".../tst_Foo.cpp.o" -> "tst_Foo.cpp"
    base = os.path.basename(obj)
    return base[:-2] if base.endswith(".o") else base


def main(root, objects):
    objects = [o for o in objects if os.path.basename(o).startswith("tst_")]
    with concurrent.futures.ThreadPoolExecutor() as pool:
        words = pool.submit(shared_words, root)
        tables = dict(zip(objects, pool.map(defined_symbols, objects)))
    words = words.result()
    definers = {}
    for obj, symbols in tables.items():
        for name in symbols:
            definers.setdefault(name, []).append(source_of(obj))
    clashes = []
    for name, sources in sorted(definers.items()):
        if len(sources) < 2:
            continue
        own = sorted({w for w in OUTERMOST.findall(name) if not foreign(w) and w not in words})
        if own:
            clashes.append(f"  {name}\n    ({', '.join(own)}) in {', '.join(sorted(sources))}")
    if not clashes:
        return 0
    print("Test files of one executable define the same name; put file-local helpers "
          "in an anonymous namespace or name them apart:", file=sys.stderr)
    print("\n".join(clashes), file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2:]))
