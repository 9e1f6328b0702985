#include <QCoreApplication>

#include <benchmark/benchmark.h>

// The engine needs no window: a core application is all the benchmarks run in.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
