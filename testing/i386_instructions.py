#!/usr/bin/env python3
"""Checks that the 32-bit .scr runs on a 386, the least processor of Windows
95: disassembles its code and fails on any instruction that the 386 and its
387 (which Windows emulates where no coprocessor is fitted) do not have —
CMOVcc, FCMOVcc, FCOMI and FUCOMI (Pentium Pro), CPUID, RDTSC and CMPXCHG8B
(Pentium), BSWAP, CMPXCHG and XADD (486), long NOPs, anything on MMX or SSE
registers, and whatever else objdump names that is not on the list below.
The 32-bit .scr cannot run on these machines, so this is checked on the file.

    i386_instructions.py FILE.scr OBJDUMP
"""
import re
import struct
import sys

from disassembly import disassemble, instructions, operation_words

# The 386's instructions as objdump spells them (AT&T), without the size
# suffix it may add; conditional forms are spelled out.
CONDITIONS = "o no b c nae ae nb nc e z ne nz be na a nbe s ns p pe np po l nge ge nl le ng g nle".split()
I386 = set("""
aaa aad aam aas adc add and arpl bound bsf bsr bt btc btr bts call lcall cbtw cwtl cwtd cltd
clc cld cli clts cmc cmp cmps daa das dec div enter hlt idiv imul in inc ins int int3 into
iret jmp ljmp jcxz jecxz lahf lar lds lea leave les lfs lgdt lgs lidt lldt lmsw lods loop
loope loopz loopne loopnz lret lsl lss ltr mov movs movsbw movsbl movswl movzbw movzbl movzwl
mul neg nop not or out outs pop popa popf push pusha pushf rcl rcr ret rol ror sahf sal sar
sbb scas sgdt shl shld shr shrd sidt sldt smsw stc std sti stos str sub test verr verw wait
fwait xchg xlat xor
""".split()) | {"j" + c for c in CONDITIONS} | {"set" + c for c in CONDITIONS}
I387 = set("""
f2xm1 fabs fadd faddp fbld fbstp fchs fclex fnclex fcom fcomp fcompp fcos fdecstp fdiv fdivp
fdivr fdivrp ffree fiadd ficom ficomp fidiv fidivr fild fimul fincstp finit fninit fist fistp
fisub fisubr fld fld1 fldcw fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp fnop
fpatan fprem fprem1 fptan frndint frstor fsave fnsave fscale fsin fsincos fsqrt fst fstcw
fnstcw fstenv fnstenv fstp fstsw fnstsw fsub fsubp fsubr fsubrp ftst fucom fucomp fucompp
fxam fxch fxtract fyl2x fyl2xp1
""".split())
REGISTERS_BEYOND = re.compile(r"%(x|y|z)?mm\d|%k[0-7]\b|%bnd\d")
FIRST_WITH = [("cmov", "Pentium Pro"), ("fcmov", "Pentium Pro"), ("fcomi", "Pentium Pro"),
              ("fucomi", "Pentium Pro"), ("nopl", "Pentium Pro"), ("nopw", "Pentium Pro"),
              ("cpuid", "Pentium"), ("rdtsc", "Pentium"), ("cmpxchg8b", "Pentium"),
              ("bswap", "486"), ("cmpxchg", "486"), ("xadd", "486")]


def is_i386(mnemonic):
    """Whether objdump's mnemonic names an instruction of the 386 or the 387.
    The size suffixes are b, w, l for integers and s, l, t, ll for the
    coprocessor; nopl and nopw are the long NOPs, not a suffixed nop."""
    if mnemonic in ("nopl", "nopw"):
        return False
    known, suffixes = (I387, ("ll", "s", "l", "t")) if mnemonic.startswith("f") else \
        (I386, ("b", "w", "l"))
    return mnemonic in known or any(mnemonic.endswith(s) and mnemonic[:-len(s)] in known
                                    for s in suffixes)


def beyond_i386(instruction):
    """(mnemonic, why) for an instruction (objdump's text after the
    address) that the 386 lacks, or None."""
    words = operation_words(instruction)
    if REGISTERS_BEYOND.search(instruction):
        return words[0], "MMX/SSE/AVX register"
    if not is_i386(words[0]):
        return words[0], next((f"since the {cpu}" for prefix, cpu in FIRST_WITH
                               if words[0].startswith(prefix)), "not the 386's")
    return None


def code_end(path):
    """Where .text's code ends: the linker puts the lists of static
    initialisers and finalisers last (-1, pointers, 0, twice), and they are
    data. Returns (address, error)."""
    with open(path, "rb") as f:
        image = f.read()
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    image_base = struct.unpack_from("<I", image, pe + 24 + 28)[0]
    table = pe + 24 + optional_size
    for i in range(sections):
        name, size, address, _, offset = struct.unpack_from("<8sIIII", image, table + 40 * i)
        if name.rstrip(b"\0") == b".text":
            words = struct.unpack_from(f"<{size // 4}I", image, offset)
            end = len(words)
            for _ in range(2):  # the finalisers' list, then the initialisers'
                if end == 0 or words[end - 1] != 0 or 0xFFFFFFFF not in words[:end - 1]:
                    return None, "no list of static initialisers at the end of .text"
                end = len(words[:end - 1]) - words[:end - 1][::-1].index(0xFFFFFFFF) - 1
            return image_base + address + 4 * end, None
    return None, "no .text section"


def main(argv):
    if len(argv) != 3:
        raise SystemExit(__doc__)
    scr, objdump = argv[1:]
    end, error = code_end(scr)
    if error:
        print(f"FAIL: {error}")
        return 1
    checked, found = 0, {}
    for address, _, instruction in instructions(disassemble(objdump, scr)):
        if address >= end:
            continue
        checked += 1
        beyond = beyond_i386(instruction)
        if beyond:
            found.setdefault(beyond, []).append(f"{address:x}")
    for (mnemonic, why), addresses in sorted(found.items()):
        shown = " ".join(addresses[:6]) + (" ..." if len(addresses) > 6 else "")
        print(f"FAIL: {mnemonic} ({why}) x{len(addresses)} at {shown}")
    total = sum(len(a) for a in found.values())
    if total or not checked:
        print(f"FAIL: {total} of {checked} instructions are beyond the 386")
        return 1
    print(f"ok: all {checked} instructions are the 386's and the 387's")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
