#include "FileDialogs.h"

#include <QDir>
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
