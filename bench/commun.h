#pragma once
// The main of the benchmarks that need no window: a Qt core application in the French locale.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QLocale>

inline int executerBancs(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
