// The panel's subcommands. Each returns the process exit code or throws Failure.
#pragma once

#include <optional>
#include <string>

#include "card.h"
#include "library.h"

namespace panel {

int run_info(const Library& library, const Card& card);
int run_read(const Library& library, const Card& card, bool json);
int run_watch(const Card& card, int interval_ms, std::optional<int> refreshes);
int run_set_analog(const Card& card, const std::optional<std::string>& volts, const std::optional<int>& steps);
int run_set_logic(const Card& card, const std::string& output, const std::string& level);
int run_acquire(const Card& card, int channel, int interval_ms, int count, const std::optional<std::string>& csv);

}  // namespace panel
