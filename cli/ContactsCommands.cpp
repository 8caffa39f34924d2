#include "Cli.h"

namespace cli {

int runContactsCommand(const QStringList &arguments, Io io)
{
    Q_UNUSED(arguments);
    io.err << "codeplug contacts: not available yet" << Qt::endl;
    return UsageError;
}

} // namespace cli
