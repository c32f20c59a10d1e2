#pragma once

// wine for the tests that run the Windows build (under xvfb-run): one
// private prefix, made on first use, with one wine server kept for the
// whole test so that each program starts quickly; programs started, run to
// their end and read in it.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>

namespace testing {

class WineSession
{
public:
    explicit WineSession(const QString& prefix);
    ~WineSession(); // ends the server
    WineSession(const WineSession&) = delete;
    WineSession& operator=(const WineSession&) = delete;

    // Makes the prefix if it is missing, waits for what that left running,
    // then starts the server the test keeps. False if any of that fails.
    [[nodiscard]] bool begin() const;

    const QProcessEnvironment& environment() const { return m_environment; }

    // A Windows program started under wine, in environment if one is given.
    std::unique_ptr<QProcess> start(const QString& file, const QStringList& arguments = {},
                                    const QProcessEnvironment& environment = {}) const;
    // A command run to its end in the session; its exit code, or -1 if it
    // crashed or outlasted timeout.
    int run(const QString& command, const QStringList& arguments,
            std::chrono::milliseconds timeout = std::chrono::minutes(2)) const;
    // What tests/win32/window_reader tells of the visible window called
    // title: "texts" of its controls, or the "process" that owns it.
    QStringList read(const QString& what, const QString& title) const;
    // The values of a registry key as `reg query` lists them; empty if it is missing.
    QString registryEntry(const QString& key) const;

private:
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

} // namespace testing
