#pragma once

// The main of a benchmark that builds windows or paints: offscreen unless a
// platform is asked for, so figures do not depend on a display.

#include <QtGlobal>
#include <benchmark/benchmark.h>

#define KANELO_BENCHMARK_MAIN(Application)                                                                             \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                            \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                                   \
        Application app(argc, argv);                                                                                   \
        benchmark::Initialize(&argc, argv);                                                                            \
        if (benchmark::ReportUnrecognizedArguments(argc, argv))                                                        \
            return 1;                                                                                                  \
        benchmark::RunSpecifiedBenchmarks();                                                                           \
        benchmark::Shutdown();                                                                                         \
        return 0;                                                                                                      \
    }
