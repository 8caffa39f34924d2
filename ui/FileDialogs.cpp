#include "FileDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QFileDialog>

QString GuiFileDialogs::openFileName(QWidget *parent, const QString &directory, const QString &filter)
{
    QString selectedFilter;
    return openFileNameWithFilter(parent, directory, filter, selectedFilter);
}

QString GuiFileDialogs::openFileNameWithFilter(
    QWidget *parent, const QString &directory, const QString &filter, QString &selectedFilter)
{
    QFileDialog dialog(parent, QString(), directory, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!selectedFilter.isEmpty())
        dialog.selectNameFilter(selectedFilter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

QString GuiFileDialogs::saveFileName(
    QWidget *parent, const QString &directory, const QString &presetName, const QString &filter)
{
    QString selectedFilter;
    return saveFileNameWithFilter(parent, directory, presetName, filter, selectedFilter);
}

QString GuiFileDialogs::saveFileNameWithFilter(QWidget *parent, const QString &directory, const QString &presetName,
    const QString &filter, QString &selectedFilter)
{
    QFileDialog dialog(parent, QString(), directory, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!selectedFilter.isEmpty())
        dialog.selectNameFilter(selectedFilter);
    if (!presetName.isEmpty())
        dialog.selectFile(presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

QString FileDialogs::listFolder(const QString &codePlugFile) const
{
    if (!codePlugFile.isEmpty()) {
        const QFileInfo plug(codePlugFile);
        if (plug.absoluteDir().exists())
            return plug.absolutePath();
    }
    return m_lastListFolder.isEmpty() ? QDir::homePath() : m_lastListFolder;
}

QString FileDialogs::remember(const QString &chosen)
{
    if (!chosen.isEmpty())
        m_lastListFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

QString FileDialogs::openListFile(
    QWidget *parent, const QString &codePlugFile, const QString &filter, QString &selectedFilter)
{
    return remember(openFileNameWithFilter(parent, listFolder(codePlugFile), filter, selectedFilter));
}

QString FileDialogs::saveListFile(
    QWidget *parent, const QString &codePlugFile, const QString &filter, QString &selectedFilter)
{
    return remember(saveFileNameWithFilter(parent, listFolder(codePlugFile), QString(), filter, selectedFilter));
}

QString withFilterExtension(const QString &name, const QString &filter)
{
    // The pattern stands in brackets after the filter's words, or alone.
    const qsizetype open = filter.indexOf(QLatin1Char('('));
    const QString pattern = open >= 0 ? filter.mid(open + 1).section(QLatin1Char(')'), 0, 0).trimmed()
                                      : filter.section(QLatin1Char(' '), 0, 0);
    if (!pattern.startsWith(QLatin1String("*.")) || pattern == QLatin1String("*.*"))
        return name;
    const QString extension = pattern.mid(1);
    return name.endsWith(extension, Qt::CaseInsensitive) ? name : name + extension;
}
