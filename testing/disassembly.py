"""objdump's disassembly of a build, read for the checks on which
instructions it holds (integer_only.py, i386_instructions.py)."""
import re
import subprocess

# Prefixes that objdump prints as words of their own before the operation.
PREFIXES = {"rep", "repz", "repe", "repnz", "repne", "lock", "data16", "addr16", "addr32", "notrack",
            "bnd", "cs", "ds", "es", "fs", "gs", "ss"}


def disassemble(objdump, path):
    """`objdump -d --no-show-raw-insn` of the file."""
    return subprocess.run([objdump, "-d", "--no-show-raw-insn", path], capture_output=True, text=True,
                          check=True).stdout


def instructions(disassembly):
    """[(address, function, instruction text)], one per instruction line."""
    found, function = [], "?"
    for line in disassembly.splitlines():
        label = re.match(r"[0-9a-f]+ <(.+)>:$", line)
        if label:
            function = label.group(1)
            continue
        code = re.match(r"\s+([0-9a-f]+):\s+(\S.*)$", line)
        if code:
            found.append((int(code.group(1), 16), function, code.group(2).strip()))
    return found


def operation_words(instruction):
    """The instruction's words from its operation on: prefixes skipped, but
    never the last word."""
    words = instruction.split()
    while len(words) > 1 and words[0].rstrip(";") in PREFIXES:
        words = words[1:]
    return words


def mnemonic(instruction):
    """The operation of one disassembled instruction, prefixes skipped."""
    words = operation_words(instruction)
    return words[0] if words else ""
