#include "Measure.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <ctime>

namespace bench {

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double maximum(const QList<double>& values)
{
    return values.isEmpty() ? 0 : *std::max_element(values.begin(), values.end());
}

double timeOnce(const std::function<void()>& action, const std::function<void()>& prepare)
{
    if (prepare)
        prepare();
    // On a machine busy with other work, the thread's processor time is steadier than the clock.
    static const bool processorTime = qEnvironmentVariable("CINABREL_BENCH_CLOCK") == QStringLiteral("cpu");
    if (processorTime) {
        timespec start {}, end {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
        action();
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
        return double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6;
    }
    QElapsedTimer timer;
    timer.start();
    action();
    return double(timer.nsecsElapsed()) / 1e6;
}

double peakMemoryMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression peak(QStringLiteral(R"(VmHWM:\s*(\d+)\s*kB)"));
    const auto match = peak.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toDouble() / 1024.0 : -1;
}

QString table(const QList<Timing>& timings)
{
    QString out =
            QStringLiteral("| Operation | Runs | Median (ms) | Max (ms) | Engine median (ms) | Ratio |\n"
                           "|---|---|---|---|---|---|\n");
    for (const Timing& t : timings) {
        const double programMedian = median(t.program);
        const double engineMedian = median(t.engine);
        out += QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |\n")
                       .arg(t.operation)
                       .arg(t.program.size())
                       .arg(programMedian, 0, 'f', 1)
                       .arg(maximum(t.program), 0, 'f', 1)
                       .arg(t.engine.isEmpty() ? QStringLiteral("-") : QString::number(engineMedian, 'f', 1))
                       .arg(t.engine.isEmpty() || engineMedian <= 0
                                    ? QStringLiteral("-")
                                    : QString::number(programMedian / engineMedian, 'f', 2));
    }
    return out;
}

}  // namespace bench
