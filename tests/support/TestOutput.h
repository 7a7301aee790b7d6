// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the tests leave behind for the key_hygiene check. scripts/test names a folder in
// MERRIN_TEST_OUTPUT_DIR; every test process then appends its Qt log lines, the error texts its
// awaited tasks threw and the command lines and output of the processes it started to a file
// there, and keeps its temporary folders. Without the variable nothing is recorded or kept.
// Header-only, as the fuzz replays share Await.h.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace test_support {

namespace detail {

// Appends to this process's record file, opened on first use; nothing when not recording.
inline void record(const QByteArray &text)
{
    static std::mutex mutex;
    const std::lock_guard lock(mutex);
    static std::FILE *file = [] {
        const QString folder = qEnvironmentVariable("MERRIN_TEST_OUTPUT_DIR");
        if (folder.isEmpty()) {
            return static_cast<std::FILE *>(nullptr);
        }
        const QString path = QDir(folder).filePath(QStringLiteral("%1-%2.log")
                                                       .arg(QString::fromLocal8Bit(program_invocation_short_name))
                                                       .arg(QCoreApplication::applicationPid()));
        std::FILE *opened = std::fopen(QFile::encodeName(path).constData(), "ae");
        if (opened == nullptr) {
            // Not through Qt's log: its handler may be the caller.
            std::fprintf(stderr, "cannot record test output in %s\n", qPrintable(path));
            std::abort();
        }
        return opened;
    }();
    if (file != nullptr) {
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), file);
        std::fflush(file);
    }
}

inline QtMessageHandler previousHandler = nullptr;

inline void recordingHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    record(qFormatLogMessage(type, context, message).toUtf8() + '\n');
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    }
}

} // namespace detail

// Installs a Qt message handler that also records every log line (when recording).
inline void recordLogLines()
{
    if (!qEnvironmentVariableIsEmpty("MERRIN_TEST_OUTPUT_DIR")) {
        detail::previousHandler = qInstallMessageHandler(detail::recordingHandler);
    }
}

// Records one line of what the test saw, such as an error text.
inline void recordLine(const QString &line)
{
    detail::record(line.toUtf8() + '\n');
}

// Records a child process's command line and what it printed.
inline void recordProcess(
    const QString &program, const QStringList &arguments, const QByteArray &out, const QByteArray &err)
{
    detail::record("[process] " + (QStringList { program } + arguments).join(u' ').toUtf8() + "\n[stdout]\n" + out
        + "\n[stderr]\n" + err + '\n');
}

// A temporary folder that stays on disk after the test when recording, so its settings,
// caches and unit files are checked too.
class TempDir : public QTemporaryDir
{
public:
    TempDir() { setAutoRemove(qEnvironmentVariableIsEmpty("MERRIN_TEST_OUTPUT_DIR")); }
};

} // namespace test_support
