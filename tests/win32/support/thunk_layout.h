/* The frame that the call thunk reads its arguments from and writes what it
 * saw into, and the values it leaves in the callee-saved registers. Shared by
 * call_thunk.S and thunk.cpp; macros only, so the assembler can read it. */
#ifndef WIN32TEST_THUNK_LAYOUT_H
#define WIN32TEST_THUNK_LAYOUT_H

#define FRAME_TARGET 0
#define FRAME_EAX 4
#define FRAME_EDX 8
#define FRAME_ECX 12
#define FRAME_PUSHES 16
#define FRAME_PUSH_COUNT 20
#define FRAME_CONTROL_WORD 24
#define FRAME_OUT_EAX 28
#define FRAME_OUT_EDX 32
#define FRAME_OUT_EBX 36
#define FRAME_OUT_ESI 40
#define FRAME_OUT_EDI 44
#define FRAME_OUT_EBP 48
#define FRAME_ESP_BEFORE 52
#define FRAME_ESP_AFTER 56
#define FRAME_ENV 60 /* 28 bytes of FNSTENV: control, status, tag words at 0, 4, 8 */
#define FRAME_ST0 88 /* 10 bytes: ST(0) stored as an 80-bit value */
#define FRAME_FAULT 100
#define FRAME_SIZE 104

#define SENTINEL_EBX 0xB0B1B2B3
#define SENTINEL_ESI 0x51525354
#define SENTINEL_EDI 0xD0D1D2D3
#define SENTINEL_EBP 0xE0E1E2E3

#endif
