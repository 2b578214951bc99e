/* Calls one entry point the way a host compiled for its convention does.
 *
 *   void win32test_call(struct ThunkFrame* frame)     (cdecl)
 *
 * Loads EAX, EDX and ECX from the frame, pushes the frame's words in the order
 * given (the C++ side orders them for the register or the stdcall convention),
 * sets EBX, ESI, EDI and EBP to sentinels and loads the frame's x87 control
 * word. After the call it records the registers, ESP, the x87 environment and
 * ST(0) as an 80-bit value, then puts back the caller's ESP, registers and
 * control word, whatever the callee did. Not reentrant: one call at a time. */
#include "thunk_layout.h"

        .bss
        .balign 4
thunk_frame:    .space 4
thunk_target:   .space 4
thunk_host_esp: .space 4
thunk_host_cw:  .space 4
thunk_eax:      .space 4

        .text
        .globl _win32test_call
        .globl _win32test_call_recover
        .balign 16
_win32test_call:
        pushl %ebp
        pushl %ebx
        pushl %esi
        pushl %edi
        movl 20(%esp), %eax
        movl %eax, thunk_frame
        movl FRAME_TARGET(%eax), %edx
        movl %edx, thunk_target
        fnstcw thunk_host_cw
        movl %esp, thunk_host_esp
        movl %esp, FRAME_ESP_BEFORE(%eax)

        movl FRAME_PUSH_COUNT(%eax), %ecx
        movl FRAME_PUSHES(%eax), %esi
        xorl %edx, %edx
1:      cmpl %ecx, %edx
        jae 2f
        pushl (%esi,%edx,4)
        incl %edx
        jmp 1b
2:
        fnclex
        fldcw FRAME_CONTROL_WORD(%eax)
        movl $SENTINEL_EBX, %ebx
        movl $SENTINEL_ESI, %esi
        movl $SENTINEL_EDI, %edi
        movl $SENTINEL_EBP, %ebp
        movl FRAME_ECX(%eax), %ecx
        movl FRAME_EDX(%eax), %edx
        movl FRAME_EAX(%eax), %eax
        call *thunk_target

        movl %eax, thunk_eax
        movl thunk_frame, %eax
        movl %esp, FRAME_ESP_AFTER(%eax)
        movl %edx, FRAME_OUT_EDX(%eax)
        movl %ebx, FRAME_OUT_EBX(%eax)
        movl %esi, FRAME_OUT_ESI(%eax)
        movl %edi, FRAME_OUT_EDI(%eax)
        movl %ebp, FRAME_OUT_EBP(%eax)
        movl thunk_eax, %edx
        movl %edx, FRAME_OUT_EAX(%eax)
        /* No-wait store: a pending exception stays in the status word for the
         * test to see. FNSTENV also masks every exception for what follows. */
        fnstenv FRAME_ENV(%eax)
        /* ST(0) is in use when the tag of physical register TOP is not empty. */
        movzwl FRAME_ENV+4(%eax), %ecx
        shrl $11, %ecx
        andl $7, %ecx
        addl %ecx, %ecx
        movzwl FRAME_ENV+8(%eax), %edx
        shrl %cl, %edx
        andl $3, %edx
        cmpl $3, %edx
        je _win32test_call_recover
        fstpt FRAME_ST0(%eax)

/* Also where the fault handler resumes a call that raised an exception. */
_win32test_call_recover:
        fninit
        fldcw thunk_host_cw
        movl thunk_host_esp, %esp
        popl %edi
        popl %esi
        popl %ebx
        popl %ebp
        ret
