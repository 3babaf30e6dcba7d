#!/usr/bin/env python3
"""The integer-only check catches what it is there for: objects the cross
compiler makes from small sources fail with floating-point arithmetic (x87
or SSE) or a conversion and pass with 64-bit integer division, whose helpers
are integer ones; calls to the compiler's float helpers and to the maths
library fail; an object with no code at all is not taken for a clean one.

    integer_only_test.py CHECKER OBJDUMP CXX
"""
import os
import subprocess
import sys
import tempfile

checker_path, objdump, compiler = sys.argv[1], sys.argv[2], sys.argv[3]
sys.path.insert(0, os.path.dirname(os.path.abspath(checker_path)))
import integer_only as checker  # noqa: E402
from check_report import expect, finish  # noqa: E402

# name, source, extra compiler options, passes
SOURCES = [
    ("double arithmetic", "double f(double a, int b) { return a * b + 0.5; }", [], False),
    ("a float compared", "bool f(float a, float b) { return a < b; }", [], False),
    ("integer to double and back", "int f(int a) { return (int)(a * 1.5); }", [], False),
    ("SSE arithmetic", "float f(float a, float b) { return a / b; }", ["-msse2", "-mfpmath=sse"], False),
    ("64-bit integer division",
     "long long f(long long a, long long b) { return a / b + a % b; }", [], True),
    ("a loop of multiply-adds",
     "unsigned f(const unsigned char* p, const unsigned short* w, int n) {"
     " unsigned s = 0; for (int i = 0; i < n; ++i) s += w[i] * p[i]; return s >> 14; }", ["-O3"], True),
]

with tempfile.TemporaryDirectory() as scratch:
    for name, source, options, passes in SOURCES:
        cpp = os.path.join(scratch, "probe.cpp")
        obj = os.path.join(scratch, "probe.o")
        with open(cpp, "w", encoding="utf-8") as f:
            f.write(source + "\n")
        subprocess.run([compiler, "-O2", *options, "-c", cpp, "-o", obj], check=True)
        run = subprocess.run([sys.executable, checker_path, objdump, obj], capture_output=True, text=True)
        expect(f"{name}: the check {'passes' if passes else 'fails'}", (run.returncode == 0) == passes,
               f"exit {run.returncode}: {run.stdout}{run.stderr}")

CODE = "00000000 <_f>:\n   0:\tmov    0x4(%esp),%eax\n   4:\tret\n"
# undefined symbol in an objdump -t table | complains
SYMBOLS = [("___floatdidf", True), ("___fixunsdfsi", True), ("___adddf3", True), ("___truncdfsf2", True),
           ("_sqrt", True), ("_floor", True), ("___divdi3", False), ("___udivmoddi4", False),
           ("_malloc", False), ("_memcpy", False)]
for symbol, complains in SYMBOLS:
    table = f"[  5](sec  0)(fl 0x00)(ty   20)(scl   2) (nx 0) 0x00000000 {symbol}\n"
    problems = checker.check(CODE, table)
    expect(f"a call to {symbol}: {'a complaint' if complains else 'none'}", bool(problems) == complains,
           "; ".join(problems) or "none")

expect("a disassembly without code is no pass", checker.check("", "") != [])
expect("prefixes are skipped: lock, rep", checker.mnemonic("lock addl $0x1,(%eax)") == "addl"
       and checker.mnemonic("rep stos %eax,%es:(%edi)") == "stos")

finish()
