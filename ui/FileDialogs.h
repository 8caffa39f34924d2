#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The filters of the file dialogs, worded alike on every page.
namespace filefilters {
inline const QString codePlug = QStringLiteral("Code plug files (*.rdt)");
inline const QString csv = QStringLiteral("CSV files (*.csv)");
inline const QString text = QStringLiteral("Text files (*.txt)");
inline const QString all = QStringLiteral("All files (*)");
// Several filters as one dialog filter text.
inline QString join(const QStringList &filters)
{
    return filters.join(QStringLiteral(";;"));
}
} // namespace filefilters

// The open and save dialogs behind an interface, so that tests can name the chosen file.
// Both return the chosen path, or an empty text when the dialog was cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    // Dialogs for the files that go with a code plug (channel and contact lists). They open in the
    // folder of `codePlugFile`; for a code plug not saved yet, in the folder last chosen in such a
    // dialog, else the home folder. `selectedFilter` as for the dialogs below.
    QString openListFile(QWidget *parent, const QString &codePlugFile, const QString &filter, QString &selectedFilter);
    QString saveListFile(QWidget *parent, const QString &codePlugFile, const QString &filter, QString &selectedFilter);

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

private:
    QString listFolder(const QString &codePlugFile) const;
    QString remember(const QString &chosen);

    QString m_lastListFolder;
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

// The name with the extension of the chosen filter ("*.csv" or "CSV files (*.csv)") added when it
// lacks it, whatever its letter case; a filter for all files leaves the name as typed.
QString withFilterExtension(const QString &name, const QString &filter);
