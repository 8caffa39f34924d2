#include "Cli.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return cli::run(QCoreApplication::arguments().mid(1), cli::Io { out, err });
}
