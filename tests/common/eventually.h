#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>

#include <chrono>

namespace testing {

// Whether condition comes to hold within timeout, asked again every
// interval while Qt's events go on. A clock keeps the time, as asking may
// itself take a while (a wine program started each time), which QTRY's
// macros, counting their own steps, do not see.
template <typename Condition>
bool Eventually(Condition condition, std::chrono::milliseconds timeout,
                std::chrono::milliseconds interval = std::chrono::milliseconds(100))
{
    const QDeadlineTimer deadline(timeout);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QTest::qWait(static_cast<int>(interval.count()));
    }
    return true;
}

// Ends a program a test started, if it still runs.
inline void Stop(QProcess& program)
{
    if (program.state() != QProcess::NotRunning) {
        program.kill();
        program.waitForFinished(5000);
    }
}

} // namespace testing
