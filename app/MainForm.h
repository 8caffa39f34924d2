#pragma once

#include "CodePlugStore.h"

#include <QMainWindow>

class MainForm final : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainForm(codeplug::CodePlugStore &store, QWidget *parent = nullptr);

    // Loads the file into the current slot; shows the load message on failure.
    bool openFile(const QString &fileName);

private:
    void refreshAll();

    codeplug::CodePlugStore &m_store;
};
