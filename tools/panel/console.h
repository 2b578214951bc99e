// The terminal the panel talks to, on Linux and Windows alike.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace panel {

// UTF-8 output, no system error boxes, bytes written as they are.
void prepare_console();

bool is_terminal(std::FILE* stream);

// Ctrl-C ends watch and acquire cleanly instead of killing the process.
void catch_interrupts();
bool interrupted();
// false when Ctrl-C came first.
bool sleep_unless_interrupted(std::chrono::steady_clock::duration how_long);

// Puts the cursor back at the start of the last `lines` lines printed.
void rewind_lines(int lines);
// Erases the rest of the current terminal line (after an overwrite).
const char* end_of_line();

// A processor fault inside the library (a direct-access library in a process
// without I/O permission) ends the panel with a message, not a core dump.
void report_faults_of(const std::string& library_path);

}  // namespace panel
