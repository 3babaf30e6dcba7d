#!/usr/bin/env python3
"""Checks that object files hold no floating-point instruction: no x87
instruction, no SSE or AVX arithmetic on floats or doubles, no conversion to
or from them, and no call to the compiler's floating-point helpers or to the
maths library. The picture scaler must give the same pixels in every build,
and processors differ in the floating-point unit they have (or emulate).

    integer_only.py OBJDUMP OBJECT...
"""
import re
import subprocess
import sys

from disassembly import disassemble, instructions, mnemonic
# The compiler's floating-point helpers (__adddf3, __floatdidf, __fixunsdfsi,
# __truncdfsf2, ...) and the maths library's usual functions.
HELPER = re.compile(r"_*(?:[a-z]+(?:sf|df|xf|tf|hf)\d?|float[a-z]+|fix[a-z]+)")
MATHS = {"sqrt", "sqrtf", "floor", "floorf", "ceil", "ceilf", "round", "roundf", "lround", "llround",
         "lrint", "rint", "pow", "powf", "exp", "log", "fabs", "fmod", "modf", "ldexp", "frexp",
         "trunc", "truncf"}


def is_floating_point(operation):
    if operation.startswith("f") or operation in ("wait", "emms"):
        return True  # x87 (its every operation begins with f), and its wait
    operation = operation[1:] if operation.startswith("v") else operation  # AVX forms
    return operation.startswith("cvt") or bool(re.search(r"(ss|sd|ps|pd)$", operation))


def code_of(disassembly):
    """[(function, instruction text)], bytes objdump cannot decode left out."""
    return [(function, text) for _, function, text in instructions(disassembly)
            if not text.startswith("(bad)")]


def undefined_symbols(table):
    """Names that `objdump -t` lists as undefined (*UND*)."""
    names = []
    for line in table.splitlines():
        if "*UND*" in line or "(sec  0)" in line:
            names.append(line.split()[-1])
    return names


def check(disassembly, table):
    """Complaints, one per offending instruction or symbol; none when clean."""
    code = code_of(disassembly)
    if not code:
        return ["no instructions found: nothing was checked"]
    problems = [f"{function}: {text}" for function, text in code if is_floating_point(mnemonic(text))]
    for name in undefined_symbols(table):
        if HELPER.fullmatch(name) or name.lstrip("_") in MATHS:
            problems.append(f"calls {name}")
    return problems


def main(argv):
    if len(argv) < 3:
        raise SystemExit(__doc__)
    objdump, objects = argv[1], argv[2:]
    failed = False
    for path in objects:
        disassembly = disassemble(objdump, path)
        table = subprocess.run([objdump, "-t", path], capture_output=True, text=True, check=True).stdout
        problems = check(disassembly, table)
        for problem in problems:
            print(f"FAIL: {path}: {problem}")
        if problems:
            failed = True
        else:
            print(f"ok: {path}: {len(code_of(disassembly))} instructions, none on floating point")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
