#include "desktop/LocalTimeZone.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

// Pages are laid out with fonts, which need a GUI application; without a
// display the offscreen platform serves.
int main(int argc, char** argv) {
    // Measured as the application runs.
    velmora::pinLocalTimeZone();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    QGuiApplication app(appArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
