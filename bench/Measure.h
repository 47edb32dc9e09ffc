#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace bench {

// The timings of one operation over repeated runs, in milliseconds.
struct Timing {
    QString operation;
    QList<double> program;  // through the windows
    QList<double> engine;  // the same statements stepped through the engine alone
};

double median(QList<double> values);
double maximum(const QList<double>& values);

// Runs prepare (not timed), then action (timed); returns milliseconds.
double timeOnce(const std::function<void()>& action, const std::function<void()>& prepare = {});

// Peak resident memory of the process in megabytes, or -1 where the system does not tell.
double peakMemoryMb();

QString table(const QList<Timing>& timings);

}  // namespace bench
