#pragma once

#include "FileDialogs.h"
#include "Prompts.h"

#include <QEventLoop>
#include <QList>
#include <QStringList>
#include <QTimer>

// Answers the editor's message boxes from a script and records what was shown.
class ScriptedPrompts final : public Prompts
{
public:
    struct Shown
    {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons; // NoButton for a plain message
    };

    QList<QMessageBox::StandardButton> answers; // taken in order by ask(); none left: the box is dismissed
    QList<Shown> shown;
    QStringList notices;
    int waitMs = 0; // each box runs a nested event loop this long before it answers, as a modal box does

    void message(QMessageBox::Icon icon, const QString &caption, const QString &text) override
    {
        show({ icon, caption, text, QMessageBox::NoButton });
    }

    QMessageBox::StandardButton ask(QMessageBox::Icon icon, const QString &caption, const QString &text,
        QMessageBox::StandardButtons buttons) override
    {
        show({ icon, caption, text, buttons });
        return answers.isEmpty() ? QMessageBox::NoButton : answers.takeFirst();
    }

    void notice(const QString &text) override { notices.append(text); }

    QStringList texts() const
    {
        QStringList result;
        for (const Shown &s : shown)
            result.append(s.text);
        return result;
    }

private:
    void show(const Shown &box)
    {
        shown.append(box);
        if (waitMs > 0) {
            QEventLoop loop;
            QTimer::singleShot(waitMs, &loop, &QEventLoop::quit);
            loop.exec();
        }
    }
};

// Names the files the open and save dialogs return and records how they were called.
class ScriptedFileDialogs final : public FileDialogs
{
public:
    QStringList openNames; // taken in order; empty list: the dialog is cancelled
    QStringList saveNames;
    int openCalls = 0;
    QString lastDirectory;
    QString lastPreset;
    QString lastFilter;
    QString lastPreselectedFilter;
    QString chosenFilter; // the filter the user picks; empty: the preselected one stays

    QString openFileName(QWidget *, const QString &directory, const QString &filter) override
    {
        ++openCalls;
        lastDirectory = directory;
        lastFilter = filter;
        return openNames.isEmpty() ? QString() : openNames.takeFirst();
    }

    QString saveFileName(QWidget *, const QString &directory, const QString &presetName, const QString &filter) override
    {
        lastDirectory = directory;
        lastPreset = presetName;
        lastFilter = filter;
        return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
    }

    QString openFileNameWithFilter(
        QWidget *parent, const QString &directory, const QString &filter, QString &selectedFilter) override
    {
        pickFilter(selectedFilter);
        return openFileName(parent, directory, filter);
    }

    QString saveFileNameWithFilter(QWidget *parent, const QString &directory, const QString &presetName,
        const QString &filter, QString &selectedFilter) override
    {
        pickFilter(selectedFilter);
        return saveFileName(parent, directory, presetName, filter);
    }

private:
    void pickFilter(QString &selectedFilter)
    {
        lastPreselectedFilter = selectedFilter;
        if (!chosenFilter.isEmpty())
            selectedFilter = chosenFilter;
    }
};
