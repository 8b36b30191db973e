// The benchmark programs' entry point. The engine writes its progress (start-up lines, loading reports) to
// std::cout; standard output carries the benchmark report alone, so a JSON report can be read as it is, and
// the engine's lines go to standard error.
#include <benchmark/benchmark.h>

#include <iostream>
#include <ostream>

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::ostream report(std::cout.rdbuf());
    std::streambuf* const output = std::cout.rdbuf(std::cerr.rdbuf());
    benchmark::BenchmarkReporter* reporter = benchmark::CreateDefaultDisplayReporter();
    reporter->SetOutputStream(&report);
    benchmark::RunSpecifiedBenchmarks(reporter);
    benchmark::Shutdown();
    std::cout.rdbuf(output);
    return 0;
}
