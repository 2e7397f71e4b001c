#pragma once
// Tests of this same program run in a child process, for what cannot change inside a running one: the
// scale Qt starts with, the display it connects to.
#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

// Runs the tests `filter` names with `env` added to the environment, through `wrapper` (a program and
// its arguments that start the test program, e.g. xvfb-run) when one is given. Passes when the child
// ends well, none of its tests failed and at least `passed` of them passed (not skipped).
inline ::testing::AssertionResult passInAChild(const QString &filter, const QProcessEnvironment &env, int passed,
                                               QStringList wrapper = {})
{
    QProcess child;
    QProcessEnvironment all = QProcessEnvironment::systemEnvironment();
    all.insert(env);
    child.setProcessEnvironment(all);
    child.setProcessChannelMode(QProcess::MergedChannels);
    wrapper << QCoreApplication::applicationFilePath() << QStringLiteral("--gtest_filter=") + filter;
    child.start(wrapper.takeFirst(), wrapper);
    if (!child.waitForFinished(180000))
        return ::testing::AssertionFailure() << "the child did not end";
    const QString out = QString::fromUtf8(child.readAll());
    const QRegularExpressionMatch count = QRegularExpression(QStringLiteral("\\[  PASSED  \\] (\\d+) test")).match(out);
    if (child.exitCode() != 0 || out.contains(QLatin1String("[  FAILED  ]")) || !count.hasMatch()
        || count.captured(1).toInt() < passed)
        return ::testing::AssertionFailure() << out.toStdString();
    return ::testing::AssertionSuccess();
}
