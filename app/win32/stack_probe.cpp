// The stack probe that GCC calls before a function moves its stack pointer
// down by more than a page (___chkstk_ms, the size in EAX or RAX), made here
// for both builds instead of the toolchain's (linked with -nodefaultlibs).
// It touches the stack one page at a time from the top, so that each guard
// page is met in turn and the system grows the stack. It changes no register.
#if defined(__i386__)
asm(R"(
        .text
        .globl ___chkstk_ms
___chkstk_ms:
        pushl %ecx
        pushl %eax
        leal 12(%esp), %ecx       # the caller's stack pointer
1:      cmpl $0x1000, %eax
        jb 2f
        subl $0x1000, %ecx
        orl $0, (%ecx)
        subl $0x1000, %eax
        jmp 1b
2:      subl %eax, %ecx
        orl $0, (%ecx)
        popl %eax
        popl %ecx
        ret
)");
#elif defined(__x86_64__)
asm(R"(
        .text
        .globl ___chkstk_ms
___chkstk_ms:
        pushq %rcx
        pushq %rax
        leaq 24(%rsp), %rcx       # the caller's stack pointer
1:      cmpq $0x1000, %rax
        jb 2f
        subq $0x1000, %rcx
        orq $0, (%rcx)
        subq $0x1000, %rax
        jmp 1b
2:      subq %rax, %rcx
        orq $0, (%rcx)
        popq %rax
        popq %rcx
        ret
)");
#endif
