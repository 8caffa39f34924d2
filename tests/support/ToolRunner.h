#pragma once

#include <QProcess>
#include <QStringList>

namespace testsupport {

struct ToolResult
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the built `codeplug` tool with the arguments and waits for it.
ToolResult runTool(const QStringList &arguments);

} // namespace testsupport
