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
};

class GuiFileDialogs final : public FileDialogs
{
public:
    QString openFileName(QWidget *parent, const QString &directory, const QString &filter) override;
    QString saveFileName(
        QWidget *parent, const QString &directory, const QString &presetName, const QString &filter) override;
};
