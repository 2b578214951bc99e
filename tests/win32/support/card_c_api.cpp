#include "card_c_api.h"

#include <cstring>

#include "emulated_card.h"

using win32test::EmulatedCard;

extern "C" {

void win32test_card_install(void) { EmulatedCard::install(); }
void win32test_card_reset(void) { EmulatedCard::install().reset(); }
void win32test_card_answer(unsigned short port, unsigned char value) { EmulatedCard::install().answer(port, value); }
void win32test_card_echo_writes(unsigned short port, unsigned char initial) {
    EmulatedCard::install().echo_writes(port, initial);
}
void win32test_card_trace(char* text, size_t size) {
    if (size == 0) return;
    const std::string trace = win32test::to_string(EmulatedCard::install().trace());
    std::strncpy(text, trace.c_str(), size - 1);
    text[size - 1] = '\0';
}

}  // extern "C"
