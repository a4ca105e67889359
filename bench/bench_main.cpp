// Entry point of kubrix-bench: the benchmarks, then the OpenGL rig's end while Qt is still whole.
#include "gl_bench_rig.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    kubrix::bench::GlBenchRig::release();
    return 0;
}
