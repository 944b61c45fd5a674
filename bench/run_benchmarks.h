#pragma once

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

namespace ombrelis {

// The speed checks need no screen: Qt's offscreen platform unless one is chosen.
// Call before the application object is made.
inline void preferOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The editor's recovery copies go into `folder`, so that a speed check never
// offers, nor deletes, what the user's own editors left behind.
inline void keepRecoveryCopiesIn(const QTemporaryDir &folder)
{
    qputenv("XDG_STATE_HOME", QFile::encodeName(folder.path()));
}

// Runs the registered benchmarks with the command line's options; 1 for an
// option Google Benchmark does not know.
inline int runBenchmarks(int &argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace ombrelis
