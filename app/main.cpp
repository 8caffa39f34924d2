#include "MainForm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    codeplug::CodePlugStore store;
    MainForm window(store);
    for (const QString &argument : QApplication::arguments().mid(1)) {
        if (argument.endsWith(QLatin1String(".rdt"), Qt::CaseInsensitive)) {
            window.openFile(argument);
            break;
        }
    }
    window.resize(1000, 700);
    window.show();
    return app.exec();
}
