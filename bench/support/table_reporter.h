// Prints each run as one row of a compact table as soon as it ends, and a
// count of the goals met at the close.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

namespace bench {

class TableReporter : public benchmark::BenchmarkReporter {
public:
    explicit TableReporter(std::string title) : title_(std::move(title)) {}

    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    void print(const std::string& name, const std::string& per_call, const std::string& figure, const std::string& goal,
               const std::string& verdict);

    std::string title_;
    int goals_ = 0;
    int met_ = 0;
    int errors_ = 0;
};

}  // namespace bench
