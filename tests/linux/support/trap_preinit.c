/* Link this object into a host that is linked to a card library: the library's
 * constructor writes the card before main, and DT_PREINIT_ARRAY runs before any
 * shared library's initialiser. */
#include <stdlib.h>
#include <unistd.h>

#include "trap_card.h"

static void install_trap_card(int argc, char** argv, char** envp) {
    (void)argc;
    (void)argv;
    (void)envp;
    if (trap_card_install() != 0) {
        static const char message[] = "trap card: cannot install the SIGSEGV handler\n";
        (void)!write(STDERR_FILENO, message, sizeof message - 1);
        abort();
    }
}

__attribute__((section(".preinit_array"), used)) static void (*const trap_card_preinit)(int, char**,
                                                                                        char**) = install_trap_card;
