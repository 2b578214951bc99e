// acquire: software-timed samples of one analog input, with timestamps.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "commands.h"
#include "console.h"
#include "text.h"

namespace panel {

namespace {

constexpr int kBarWidth = 30;

void draw_progress(int done, int total) {
    const int filled = static_cast<int>(static_cast<long long>(done) * kBarWidth / total);
    std::fprintf(stderr, "\r[%s%s] %d/%d", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(kBarWidth - filled), '.').c_str(), done, total);
    std::fflush(stderr);
}

void clear_progress() {
    std::fprintf(stderr, "\r%s\r", std::string(kBarWidth + 30, ' ').c_str());
    std::fflush(stderr);
}

}  // namespace

int run_acquire(const Card& card, int channel, int interval_ms, int count, const std::optional<std::string>& csv) {
    if (channel < 0 || channel >= card.analog_inputs()) no_such_channel("analog input", channel, card.analog_inputs());
    std::ofstream file;
    if (csv) {
        file.open(*csv, std::ios::binary | std::ios::trunc);
        if (!file) throw Failure(kExitFailure, "cannot write " + *csv + ": " + std::strerror(errno));
    }
    // Without a file the samples themselves go to stdout, so the warning goes to stderr.
    if (card.simulated()) std::fputs(simulated_banner().c_str(), csv ? stdout : stderr);
    std::fflush(stdout);
    const std::string name = from_windows_1252(card.call().nead(channel));

    const bool progress = csv && is_terminal(stderr);
    const auto emit = [&](const std::string& line) {
        if (csv) {
            file << line;
        } else {
            std::fputs(line.c_str(), stdout);
            std::fflush(stdout);
        }
    };
    emit("sample,time_s,raw,volts\n");
    catch_interrupts();
    const auto interval = std::chrono::milliseconds(interval_ms);
    const auto start = std::chrono::steady_clock::now();
    int taken = 0;
    for (; taken < count; ++taken) {
        if (!sleep_unless_interrupted(start + taken * interval - std::chrono::steady_clock::now())) break;
        const auto at = std::chrono::steady_clock::now();
        const AnalogReading r = card.read_analog(channel);
        const double seconds = std::chrono::duration<double>(at - start).count();
        emit(std::to_string(taken) + "," + fixed(seconds, 6) + "," + std::to_string(r.raw) + "," + fixed(r.volts, 3) +
             "\n");
        if (progress) draw_progress(taken + 1, count);
    }
    if (progress) clear_progress();
    if (csv) {
        file.close();
        if (!file) throw Failure(kExitFailure, "cannot write " + *csv + ": " + std::strerror(errno));
        std::printf("%d samples of analog input %d (%s), every %d ms, written to %s\n", taken, channel, name.c_str(),
                    interval_ms, csv->c_str());
    }
    if (taken < count) {
        std::fprintf(stderr, "novra3-panel: interrupted after %d of %d samples\n", taken, count);
        return kExitInterrupted;
    }
    return 0;
}

}  // namespace panel
