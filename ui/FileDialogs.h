#pragma once

#include <QString>

class QWidget;

// The open and save dialogs behind an interface, so that tests can name the chosen file.
// Both return the chosen path, or an empty text when the dialog was cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    // Asks for an existing file in an existing folder.
    virtual QString openFileName(QWidget *parent, const QString &directory, const QString &filter) = 0;
    // Asks for a file name in an existing folder; an existing file is overwritten without asking.
    virtual QString saveFileName(
        QWidget *parent, const QString &directory, const QString &presetName, const QString &filter)
        = 0;

    // As above, with a choice among several filters: `selectedFilter` names the filter to preselect
    // and receives the one chosen. By default the preselection is kept.
    virtual QString openFileNameWithFilter(
        QWidget *parent, const QString &directory, const QString &filter, QString & /*selectedFilter*/)
    {
        return openFileName(parent, directory, filter);
    }
    virtual QString saveFileNameWithFilter(QWidget *parent, const QString &directory, const QString &presetName,
        const QString &filter, QString & /*selectedFilter*/)
    {
        return saveFileName(parent, directory, presetName, filter);
    }
};

class GuiFileDialogs final : public FileDialogs
{
public:
    QString openFileName(QWidget *parent, const QString &directory, const QString &filter) override;
    QString saveFileName(
        QWidget *parent, const QString &directory, const QString &presetName, const QString &filter) override;
    QString openFileNameWithFilter(
        QWidget *parent, const QString &directory, const QString &filter, QString &selectedFilter) override;
    QString saveFileNameWithFilter(QWidget *parent, const QString &directory, const QString &presetName,
        const QString &filter, QString &selectedFilter) override;
};

// The name with the extension of the chosen filter ("*.csv" or "*.csv (*.csv)") added when it
// lacks it, whatever its letter case; a "*.*" filter leaves the name as typed.
QString withFilterExtension(const QString &name, const QString &filter);
