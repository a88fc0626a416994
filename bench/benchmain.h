#pragma once
// The main function of a benchmark program that stands on Qt's widgets: the platform named by
// QT_QPA_PLATFORM (offscreen when unset; scripts/bench also runs them on xcb under xvfb-run,
// where painting costs what it costs on a desktop), the suite's application object titled
// `program`, then Google Benchmark.
#include <benchmark/benchmark.h>

#include <QString>

#include "ui/services.h"

inline int runWidgetBenchmarks(int argc, char** argv, const QString& program) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv, program);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
