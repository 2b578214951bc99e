#include "support/table_reporter.h"

#include <array>
#include <cstdio>

namespace bench {

namespace {

constexpr int kNameWidth = 30;
constexpr int kPerCallWidth = 11;
constexpr int kFigureWidth = 60;
constexpr int kGoalWidth = 28;

// The label's four fields; a label without them is all figure.
std::array<std::string, 4> fields_of(const std::string& label) {
    std::array<std::string, 4> fields{};
    std::size_t field = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= label.size() && field < fields.size(); ++i) {
        if (i == label.size() || label[i] == '|') {
            fields[field++] = label.substr(start, i - start);
            start = i + 1;
        }
    }
    if (field == 1) fields = {"", label, "", ""};
    return fields;
}

}  // namespace

bool TableReporter::ReportContext(const Context& context) {
    std::fprintf(stdout, "\n== %s (%d CPUs)\n", title_.c_str(), context.cpu_info.num_cpus);
    print("benchmark", "per call", "figure", "goal", "");
    std::fflush(stdout);
    return true;
}

void TableReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Aggregate) continue;
        if (run.error_occurred) {
            ++errors_;
            print(run.benchmark_name(), "", "error: " + run.error_message, "", "ERROR");
            continue;
        }
        const auto fields = fields_of(run.report_label);
        // The function's name, and the thread count where there is one: the
        // rest of the library's run name says how it was timed.
        std::string name = run.run_name.function_name;
        if (!run.run_name.threads.empty()) name += "/" + run.run_name.threads;
        if (!fields[3].empty()) {
            ++goals_;
            if (fields[3] == "met") ++met_;
        }
        print(name, fields[0], fields[1], fields[2], fields[3]);
    }
}

void TableReporter::Finalize() {
    std::fprintf(stdout, "-- %d of %d goals met%s\n", met_, goals_, errors_ != 0 ? ", with errors" : "");
    std::fflush(stdout);
}

void TableReporter::print(const std::string& name, const std::string& per_call, const std::string& figure,
                          const std::string& goal, const std::string& verdict) {
    std::fprintf(stdout, "%-*s %*s  %-*s %-*s %s\n", kNameWidth, name.c_str(), kPerCallWidth, per_call.c_str(),
                 kFigureWidth, figure.c_str(), kGoalWidth, goal.c_str(), verdict.c_str());
    std::fflush(stdout);
}

}  // namespace bench
