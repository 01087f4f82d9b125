#include "BenchFigures.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace tarn::bench {
namespace {

std::vector<Figure>& Figures() {
  static std::vector<Figure> figures;
  return figures;
}

// Keeps the real time per iteration of every run while printing as usual.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  // Plain text: the figures are read by scripts as much as by people.
  RecordingReporter() : ConsoleReporter(OO_None) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) seconds[run.run_name.function_name] = run.real_accumulated_time / run.iterations;
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;
};

}  // namespace

bool AddFigure(Figure figure) {
  Figures().push_back(std::move(figure));
  return true;
}

}  // namespace tarn::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  tarn::bench::RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::fflush(stdout);
  for (const tarn::bench::Figure& f : tarn::bench::Figures()) {
    const auto measured = reporter.seconds.find(f.measured);
    const auto reference = reporter.seconds.find(f.reference);
    if (measured == reporter.seconds.end() || reference == reporter.seconds.end() || reference->second <= 0)
      continue;
    std::printf("%s %.2f ratio\n", f.name.c_str(), measured->second / reference->second);
  }
  benchmark::Shutdown();
  return 0;
}
