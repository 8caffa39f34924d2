#include "CodePlugStore.h"
#include "FileDialogs.h"
#include "MainForm.h"
#include "Prompts.h"
#include "SettingsFile.h"

#include <QApplication>
#include <QProxyStyle>

namespace {

// Hints come quickly and stay long, so that the slot buttons' file names can be read.
class HintStyle final : public QProxyStyle
{
public:
    int styleHint(
        StyleHint hint, const QStyleOption *option, const QWidget *widget, QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 100;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Takes "--settings FILE" out of the arguments; returns the file or an empty text.
QString takeSettingsOption(QStringList &arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--settings"));
    if (at < 0 || at + 1 >= arguments.size())
        return {};
    const QString file = arguments.at(at + 1);
    arguments.remove(at, 2);
    return file;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("codeplug-editor"));
    QApplication::setStyle(new HintStyle);

    QStringList arguments = QApplication::arguments().mid(1);
    QString settingsPath = takeSettingsOption(arguments);
    if (settingsPath.isEmpty())
        settingsPath = settingsfile::defaultPath();

    codeplug::CodePlugStore store;
    GuiPrompts prompts;
    GuiFileDialogs dialogs;
    MainForm window(store, prompts, dialogs, settingsPath);
    prompts.setParent(&window);
    window.startUp(arguments);
    window.show();
    return app.exec();
}
