#pragma once

// wine for the tests that run the Windows build on a virtual X display: one
// private prefix, with one wine server kept for the whole test so that each
// program starts quickly.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>

namespace testing {

// What a program run to its end printed, without Windows' carriage
// returns, and its exit code: -1 if it crashed or outlasted its time.
struct Output
{
    int exitCode = -1;
    QString text;
};

class WineSession
{
public:
    explicit WineSession(const QString& prefix);
    ~WineSession(); // ends the server
    WineSession(const WineSession&) = delete;
    WineSession& operator=(const WineSession&) = delete;

    // Ends what an earlier test left running, makes the prefix if it is
    // missing, starts the server the test keeps and sets the known state
    // (common/prefix-state.reg, no install left). False if any of that fails.
    [[nodiscard]] bool begin() const;

    const QProcessEnvironment& environment() const { return m_environment; }

    // A Windows program started under wine, in environment if one is given.
    std::unique_ptr<QProcess> start(const QString& file, const QStringList& arguments = {},
                                    const QProcessEnvironment& environment = {}) const;
    // A Windows program run to its end under wine.
    Output output(const QString& file, const QStringList& arguments = {},
                  const QProcessEnvironment& environment = {},
                  std::chrono::milliseconds timeout = std::chrono::minutes(2)) const;
    // A Linux command run to its end in the session; its exit code, or -1.
    int run(const QString& command, const QStringList& arguments,
            std::chrono::milliseconds timeout = std::chrono::minutes(2)) const;
    // What tests/wine/checks/window_reader tells of the visible window called
    // title: "texts" of its controls, or the "process" that owns it.
    QStringList read(const QString& what, const QString& title) const;
    // The values of a registry key as `reg query` lists them; empty if it is missing.
    QString registryEntry(const QString& key) const;

private:
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

} // namespace testing
