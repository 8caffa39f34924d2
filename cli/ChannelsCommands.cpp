#include "Cli.h"

namespace cli {

int runChannelsCommand(const QStringList &arguments, Io io)
{
    Q_UNUSED(arguments);
    io.err << "codeplug channels: not available yet" << Qt::endl;
    return UsageError;
}

} // namespace cli
