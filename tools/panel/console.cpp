#include "console.h"

#include <algorithm>
#include <csignal>
#include <thread>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace panel {

namespace {

volatile std::sig_atomic_t interrupt_seen = 0;

extern "C" void on_interrupt(int) { interrupt_seen = 1; }

#ifndef _WIN32
bool ansi_terminal = true;
#else
bool ansi_terminal = false;
#endif

std::string fault_message;

void write_fault_message() {
#ifdef _WIN32
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), fault_message.data(), static_cast<DWORD>(fault_message.size()), &written,
              nullptr);
#else
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, fault_message.data(), fault_message.size());
#endif
}

#ifdef _WIN32
LONG WINAPI on_fault(EXCEPTION_POINTERS*) {
    write_fault_message();
    ExitProcess(1);
}
#else
extern "C" void on_fault(int) {
    write_fault_message();
    _exit(1);
}
#endif

}  // namespace

void prepare_console() {
#ifdef _WIN32
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(out, &mode)) {
        ansi_terminal = SetConsoleMode(out, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
    }
#endif
}

bool is_terminal(std::FILE* stream) {
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

void catch_interrupts() { std::signal(SIGINT, on_interrupt); }

bool interrupted() { return interrupt_seen != 0; }

bool sleep_unless_interrupted(std::chrono::steady_clock::duration how_long) {
    const auto until = std::chrono::steady_clock::now() + how_long;
    constexpr auto kSlice = std::chrono::milliseconds(20);
    while (!interrupted()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= until) return true;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(until - now, kSlice));
    }
    return false;
}

void rewind_lines(int lines) {
    if (lines <= 0) return;
    std::fflush(stdout);
    if (ansi_terminal) {
        std::printf("\x1b[%dA\r", lines);
        return;
    }
#ifdef _WIN32
    // Consoles without escape sequences: move the cursor itself.
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(out, &info)) {
        COORD at{0, static_cast<SHORT>(info.dwCursorPosition.Y > lines ? info.dwCursorPosition.Y - lines : 0)};
        SetConsoleCursorPosition(out, at);
    }
#endif
}

const char* end_of_line() { return ansi_terminal ? "\x1b[K" : ""; }

void report_faults_of(const std::string& library_path) {
    fault_message = "novra3-panel: the library " + library_path +
                    " stopped on a processor fault. A library built for direct port access runs only in a process "
                    "allowed to use the card's I/O ports, which the panel does not ask for; without the card, use the "
                    "simulated library of a -sim build.\n";
#ifdef _WIN32
    SetUnhandledExceptionFilter(on_fault);
#else
    struct sigaction action {};
    action.sa_handler = on_fault;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE}) sigaction(signal, &action, nullptr);
#endif
}

}  // namespace panel
