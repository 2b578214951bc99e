/* The emulated card for hosts written in C: the same card as EmulatedCard. */
#ifndef WIN32TEST_CARD_C_API_H
#define WIN32TEST_CARD_C_API_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* First in the vectored handler list; call before the DLL is loaded. */
void win32test_card_install(void);
/* Forgets the script and the trace: every port reads 0x00. */
void win32test_card_reset(void);
void win32test_card_answer(unsigned short port, unsigned char value);
/* The port reads back what was last written to it, as the output latch does. */
void win32test_card_echo_writes(unsigned short port, unsigned char initial);
/* The accesses since the last reset, as "0x309 > 20, 0x30D < 03"; "(no port access)" for none. */
void win32test_card_trace(char* text, size_t size);

#ifdef __cplusplus
}
#endif

#endif
