#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Runs a system command to its end; whether it succeeded.
inline bool Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// What a test changed outside its objects, undone in reverse order when the test ends.
class Undo {
public:
    Undo() = default;
    Undo(const Undo&) = delete;
    Undo& operator=(const Undo&) = delete;
    ~Undo() {
        for (auto step = steps_.rbegin(); step != steps_.rend(); ++step)
            (*step)();
    }
    void Add(std::function<void()> step) { steps_.push_back(std::move(step)); }

private:
    std::vector<std::function<void()>> steps_;
};
