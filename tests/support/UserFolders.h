#pragma once
// The per-user folders a test sees. QStandardPaths reads the environment each time it is asked, so
// pointing XDG_CONFIG_HOME, XDG_DATA_HOME and XDG_CACHE_HOME into a temporary folder is enough for
// the settings file, the run log and the positions file to go there. test_main gives every test
// folders of its own; a test that looks at them by name makes its own guard, which puts back what
// the environment said before when it goes.
//
// The runtime folder is the test process's own, not each test's: the instance lock is taken once
// and kept for the process's life, as a run of the program keeps it, and a later start the test
// makes must find it there.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>
#include <utility>
#include <vector>

// Sets environment variables for its own life and puts back each one's earlier value (or its
// absence) when it goes.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const char *name, const QByteArray &value) { set(name, value); }
    ~ScopedEnvironment()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                qputenv(it->first, *it->second);
            else
                qunsetenv(it->first);
        }
    }
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

    void set(const char *name, const QByteArray &value)
    {
        saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        qputenv(name, value);
    }

private:
    std::vector<std::pair<const char *, std::optional<QByteArray>>> saved_;
};

class UserFolders {
public:
    UserFolders()
    {
        for (const auto &[name, folder] : {std::pair{"XDG_CONFIG_HOME", "config"}, std::pair{"XDG_DATA_HOME", "data"},
                                           std::pair{"XDG_CACHE_HOME", "cache"}}) {
            const QString path = root_.filePath(QLatin1String(folder));
            QDir().mkpath(path);
            environment_.set(name, QFile::encodeName(path));
        }
    }

    // The process's runtime folder, made and named in the environment on the first call.
    static QString runtimeFolder()
    {
        static const QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        return runtime.path();
    }

private:
    QTemporaryDir root_;
    ScopedEnvironment environment_;
};
