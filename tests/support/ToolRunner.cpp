#include "ToolRunner.h"

namespace testsupport {

ToolResult runTool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(CODEPLUG_TOOL_PATH), arguments);
    ToolResult result;
    if (!process.waitForFinished(120000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace testsupport
