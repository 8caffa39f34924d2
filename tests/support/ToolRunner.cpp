#include "ToolRunner.h"

namespace testsupport {

ToolResult runTool(const QStringList &arguments)
{
#ifdef CODEPLUG_TOOL_PATH
    const QString program = QStringLiteral(CODEPLUG_TOOL_PATH);
#else
    const QString program = QStringLiteral("codeplug");
#endif
    QProcess process;
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForFinished(120000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace testsupport
