#include "MainForm.h"

#include "Codecs.h"
#include "CodePlugFile.h"

#include <QMessageBox>

MainForm::MainForm(codeplug::CodePlugStore &store, QWidget *parent) : QMainWindow(parent), m_store(store)
{
    setObjectName(QStringLiteral("MainForm"));
    setMinimumSize(800, 584);
    refreshAll();
}

bool MainForm::openFile(const QString &fileName)
{
    const codeplug::FileResult result = codeplug::loadCodePlugFile(m_store, m_store.currentIndex(), fileName);
    if (!result.ok()) {
        QMessageBox::critical(this, windowTitle(), result.message);
        return false;
    }
    m_store.current().fileName = fileName;
    refreshAll();
    return true;
}

void MainForm::refreshAll()
{
    QString title = QStringLiteral("DMR Code Plug Editor v") + codeplug::programVersionText();
    if (!m_store.current().fileName.isEmpty())
        title += QStringLiteral(" - ") + m_store.current().fileName;
    setWindowTitle(title);
}
