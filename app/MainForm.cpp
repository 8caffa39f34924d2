#include "MainForm.h"

#include "CodePlugFile.h"
#include "CodePlugStore.h"
#include "Codecs.h"
#include "FieldGrid.h"
#include "FileDialogs.h"
#include "HistoryHook.h"
#include "NewCodePlug.h"
#include "Prompts.h"
#include "channels/ChannelsForm.h"
#include "channels/DTMFForm.h"
#include "channels/GPSForm.h"
#include "contacts/DigitalContactsForm.h"
#include "contacts/VoiceEncryptionForm.h"
#include "lists/EmergencySystemForm.h"
#include "lists/GroupsForm.h"
#include "lists/ScanListsForm.h"
#include "lists/ZonesForm.h"
#include "settings/BasicForm.h"
#include "settings/ButtonsForm.h"
#include "settings/GeneralForm.h"
#include "settings/MenusForm.h"
#include "settings/TextMessageForm.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace codeplug;

const QRect MainForm::kDesignPlacement(216, 105, 1138, 585);
const QSize MainForm::kMinimumSize(800, 584);

namespace {

const QString kProgramName = QStringLiteral("DMR Code Plug Editor");
const QString kFileFilter = filefilters::join({ filefilters::codePlug, filefilters::all });
constexpr int kPanelHeight = 40;
constexpr int kHintDurationMs = 20000;
// X11 reports no end of a move or resize; the placement is checked once the window has been still.
constexpr int kPlacementSettleMs = 300;

const char *const kTabCaptions[MainForm::kTabCount] = {
    "  Basic  ",
    "  General  ",
    "  Menus  ",
    "  Buttons  ",
    "  Digital Text Msg  ",
    "  Digital Voice Encryption  ",
    "  Digital Emergency System  ",
    "  Digital Contacts  ",
    "  Digital Rx Groups  ",
    "  Zones  ",
    "  Scan Lists  ",
    "  Channels  ",
    "  DTMF  ",
    "  GPS  ",
};

// The rows selected in a list of the current page, kept over the rebuild that follows undo or redo.
struct KeptSelection
{
    QPointer<QTreeWidget> list;
    QList<int> rows;
    int scroll = 0;
};

QList<KeptSelection> keepSelections(const QWidget *page)
{
    QList<KeptSelection> kept;
    for (QTreeWidget *list : page->findChildren<QTreeWidget *>()) {
        KeptSelection selection { list, {}, list->verticalScrollBar()->value() };
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (list->topLevelItem(i)->isSelected())
                selection.rows.append(i);
        }
        kept.append(selection);
    }
    return kept;
}

// Rows that are gone give way to the last row; the page hears of the selection as of a user's.
void restoreSelections(const QList<KeptSelection> &kept)
{
    for (const KeptSelection &selection : kept) {
        const int count = selection.list ? selection.list->topLevelItemCount() : 0;
        if (count == 0 || selection.rows.isEmpty())
            continue;
        QList<int> rows;
        std::copy_if(selection.rows.begin(), selection.rows.end(), std::back_inserter(rows),
            [count](int row) { return row < count; });
        if (rows.isEmpty())
            rows.append(count - 1);
        selection.list->setCurrentItem(selection.list->topLevelItem(rows.first()), 0, QItemSelectionModel::NoUpdate);
        selection.list->clearSelection();
        for (int row : rows)
            selection.list->topLevelItem(row)->setSelected(true);
        selection.list->verticalScrollBar()->setValue(selection.scroll);
    }
}

} // namespace

MainForm::MainForm(
    CodePlugStore &store, Prompts &prompts, FileDialogs &dialogs, const QString &settingsPath, QWidget *parent)
    : QMainWindow(parent)
    , m_store(store)
    , m_prompts(prompts)
    , m_dialogs(dialogs)
    , m_settingsPath(settingsPath)
    , m_messageTitle(kProgramName.trimmed())
    , m_baseCaption(m_messageTitle + QStringLiteral(" v") + programVersionText())
    , m_screenAreas([] {
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (!screen)
            return ScreenAreas { kDesignPlacement, kDesignPlacement, kDesignPlacement.width() };
        return ScreenAreas { screen->availableGeometry(), screen->virtualGeometry(), screen->geometry().width() };
    })
    , m_placementTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("MainForm"));
    updateCaption();
    setMinimumSize(kMinimumSize);
    move(kDesignPlacement.topLeft());
    resize(kDesignPlacement.size());

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);
    createButtonPanel();
    createMenu();
    layout->addWidget(m_panel);
    m_pageControl = new QTabWidget(central);
    m_pageControl->setObjectName(QStringLiteral("MainPageControl"));
    m_pageControl->setDocumentMode(true); // no frame: the pages need every line of the design height
    layout->addWidget(m_pageControl, 1);
    createPages();
    // The downloaded database and its caches live beside the settings file, wherever the program
    // was started from.
    m_contactsForm->databasePanel()->setDataFolder(QFileInfo(m_settingsPath).absolutePath());
    m_historyHook = new HistoryHook(
        this, [this] { return m_store.current().isOpen() ? &m_store.current().history() : nullptr; },
        [this] {
            updateEditMenu();
            updateCaption();
        });

    m_placementTimer->setSingleShot(true);
    m_placementTimer->setInterval(kPlacementSettleMs);
    connect(m_placementTimer, &QTimer::timeout, this, [this] { applyPlacement(placement()); });
}

MainForm::~MainForm()
{
    delete m_historyHook; // no step is closed on pages that are going
    m_historyHook = nullptr;
    // Removing the tabs must not call page shown on pages that are going.
    disconnect(m_pageControl, nullptr, this, nullptr);
    for (auto it = m_pages.rbegin(); it != m_pages.rend(); ++it) {
        delete *it;
        *it = nullptr;
    }
}

QPushButton *MainForm::addPanelButton(QHBoxLayout *layout, const QString &name, const QString &text)
{
    auto *button = new QPushButton(text, m_panel);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(button);
    return button;
}

void MainForm::createButtonPanel()
{
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("ButtonPanel"));
    m_panel->setFixedHeight(kPanelHeight);
    auto *layout = new QHBoxLayout(m_panel);
    layout->setContentsMargins(8, 4, 8, 4);
    QPushButton *newButton = addPanelButton(layout, QStringLiteral("NewBitBtn"), QStringLiteral("New"));
    m_openButton = addPanelButton(layout, QStringLiteral("OpenBitBtn"), QStringLiteral("Open"));
    m_reloadButton = addPanelButton(layout, QStringLiteral("ReloadBitBtn"), QStringLiteral("Reload"));
    m_saveButton = addPanelButton(layout, QStringLiteral("SaveBitBtn"), QStringLiteral("Save"));
    m_saveAsButton = addPanelButton(layout, QStringLiteral("SaveAsBitBtn"), QStringLiteral("Save As"));
    m_closeButton = addPanelButton(layout, QStringLiteral("CloseBitBtn"), QStringLiteral("Close"));
    layout->addSpacing(24);
    connect(newButton, &QPushButton::clicked, this, &MainForm::newCommand);
    connect(m_openButton, &QPushButton::clicked, this, &MainForm::openCommand);
    connect(m_reloadButton, &QPushButton::clicked, this, &MainForm::reloadCommand);
    connect(m_saveButton, &QPushButton::clicked, this, &MainForm::saveCommand);
    connect(m_saveAsButton, &QPushButton::clicked, this, &MainForm::saveAsCommand);
    connect(m_closeButton, &QPushButton::clicked, this, &MainForm::closeCommand);

    m_slotGroup = new QButtonGroup(this);
    m_slotGroup->setExclusive(true);
    for (int i = 0; i < CodePlugStore::kSlotCount; ++i) {
        QPushButton *button = addPanelButton(layout, QStringLiteral("SlotButton%1").arg(i + 1), QString::number(i + 1));
        button->setCheckable(true);
        button->setFixedWidth(40);
        button->setToolTipDuration(kHintDurationMs);
        m_slotGroup->addButton(button, i);
        m_slotButtons[std::size_t(i)] = button;
    }
    m_slotButtons[0]->setChecked(true);
    FieldGrid::highlightDownButtons(m_panel);
    connect(m_slotGroup, &QButtonGroup::idClicked, this, [this](int id) {
        if (m_slotButtons[std::size_t(id)]->isChecked())
            selectSlot(id);
    });
    layout->addSpacing(24);
    // What the last command did, beside the buttons rather than in a status bar that would take
    // a line from the pages.
    auto *notice = new QLabel(m_panel);
    notice->setObjectName(QStringLiteral("NoticeLabel"));
    // A long notice is cut at the window's edge rather than widening the window.
    notice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(notice, 1);
}

void MainForm::createMenu()
{
    auto addItem = [this](QMenu *menu, const QString &name, const QString &text, void (MainForm::*command)()) {
        QAction *action = menu->addAction(text);
        action->setObjectName(name);
        if (command)
            connect(action, &QAction::triggered, this, command);
        return action;
    };
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    addItem(file, QStringLiteral("NewMenuItem"), QStringLiteral("&New"), &MainForm::newCommand);
    addItem(file, QStringLiteral("OpenMenuItem"), QStringLiteral("&Open"), &MainForm::openCommand);
    addItem(file, QStringLiteral("ReloadMenuItem"), QStringLiteral("&Reload"), &MainForm::reloadCommand);
    QMenu *reopen = file->addMenu(QStringLiteral("R&eopen"));
    reopen->setObjectName(QStringLiteral("ReopenMenu"));
    reopen->addAction(QStringLiteral("File 1"));
    reopen->setEnabled(false);
    file->addSeparator();
    addItem(file, QStringLiteral("SaveMenuItem"), QStringLiteral("&Save"), &MainForm::saveCommand);
    addItem(file, QStringLiteral("SaveAsMenuItem"), QStringLiteral("Save &As"), &MainForm::saveAsCommand);
    addItem(file, QStringLiteral("CloseMenuItem"), QStringLiteral("&Close"), &MainForm::closeCommand);
    file->addSeparator();
    QAction *exit = addItem(file, QStringLiteral("ExitMenuItem"), QStringLiteral("E&xit"), nullptr);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    createEditMenu();
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    addItem(help, QStringLiteral("AboutMenuItem"), QStringLiteral("&About"), nullptr);
    help->setEnabled(false);
}

void MainForm::createEditMenu()
{
    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    m_undoAction = edit->addAction(QStringLiteral("Undo"));
    m_undoAction->setObjectName(QStringLiteral("UndoMenuItem"));
    m_undoAction->setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Z));
    m_redoAction = edit->addAction(QStringLiteral("Redo"));
    m_redoAction->setObjectName(QStringLiteral("RedoMenuItem"));
    m_redoAction->setShortcuts({ QKeySequence(Qt::ControlModifier | Qt::Key_Y),
        QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z) });
    connect(m_undoAction, &QAction::triggered, this, &MainForm::undoCommand);
    connect(m_redoAction, &QAction::triggered, this, &MainForm::redoCommand);
    connect(edit, &QMenu::aboutToShow, this, &MainForm::updateEditMenu);
    updateEditMenu();
}

void MainForm::updateEditMenu()
{
    const CodePlugSlot &slot = m_store.current();
    const EditHistory *history = slot.isOpen() ? &slot.history() : nullptr;
    const auto show = [](QAction *action, const QString &verb, bool enabled, QString name) {
        action->setText(enabled ? verb + u' ' + name.replace(u'&', QStringLiteral("&&")) : verb);
        action->setEnabled(enabled);
    };
    show(
        m_undoAction, QStringLiteral("Undo"), history && history->canUndo(), history ? history->undoName() : QString());
    show(
        m_redoAction, QStringLiteral("Redo"), history && history->canRedo(), history ? history->redoName() : QString());
}

void MainForm::undoCommand()
{
    stepHistory(true);
}

void MainForm::redoCommand()
{
    stepHistory(false);
}

void MainForm::stepHistory(bool back)
{
    finishEditing();
    CodePlugSlot &slot = m_store.current();
    if (!slot.isOpen())
        return;
    const QList<KeptSelection> kept = keepSelections(m_pageControl->currentWidget());
    if (back ? slot.history().undo() : slot.history().redo()) {
        refreshAll();
        restoreSelections(kept);
    }
    updateEditMenu();
}

void MainForm::createPages()
{
    const PageContext context { &m_store, &m_prompts, &m_dialogs, m_messageTitle };
    QWidget *owner = m_pageControl;
    // A braced list is evaluated left to right: the pages are created in tab order.
    m_pages = { new BasicForm(context, owner), new GeneralForm(context, owner), new MenusForm(context, owner),
        new ButtonsForm(context, owner), new TextMessageForm(context, owner), new VoiceEncryptionForm(context, owner),
        new EmergencySystemForm(context, owner), (m_contactsForm = new DigitalContactsForm(context, owner)),
        new GroupsForm(context, owner), new ZonesForm(context, owner), new ScanListsForm(context, owner),
        (m_channelsForm = new ChannelsForm(context, owner)), new DTMFForm(context, owner),
        new GPSForm(context, owner) };
    for (int i = 0; i < kTabCount; ++i) {
        CodePlugPage *page = m_pages[std::size_t(i)];
        m_pageControl->addTab(page, QString::fromLatin1(kTabCaptions[i]));
        connect(page, &CodePlugPage::tabOfferChanged, this,
            [this, page](bool offered) { m_pageControl->setTabVisible(m_pageControl->indexOf(page), offered); });
    }
    connect(m_pageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && index < kTabCount)
            m_pages[std::size_t(index)]->pageShown();
    });
    m_pageControl->setCurrentIndex(kChannelsTab);
}

void MainForm::startUp(const QStringList &commandLine)
{
    readSettings();
    std::array<QString, 4> remembered;
    for (int i = 0; i < CodePlugStore::kSlotCount; ++i)
        remembered[std::size_t(i)] = m_store.slot(i)->fileName;

    const QString firstDirectory = QFileInfo(remembered[0]).absolutePath();
    m_dialogDirectory = !remembered[0].isEmpty() && QDir(firstDirectory).exists()
        ? firstDirectory
        : QCoreApplication::applicationDirPath();
    loadStartUpFiles(remembered, commandLine);
    refreshAll();
}

void MainForm::loadStartUpFiles(const std::array<QString, 4> &remembered, const QStringList &commandLine)
{
    std::array<QString, 4> entries = remembered;
    for (int i = 0; i < CodePlugStore::kSlotCount && i < commandLine.size(); ++i) {
        // Remembered by absolute path, so that a start from another folder finds the file again.
        if (QFileInfo(commandLine.at(i)).suffix().toLower() == QLatin1String("rdt"))
            entries[std::size_t(i)] = QDir::cleanPath(QDir::current().absoluteFilePath(commandLine.at(i)));
    }
    for (int i = 0; i < CodePlugStore::kSlotCount; ++i) {
        const QString &entry = entries[std::size_t(i)];
        if (entry.isEmpty())
            continue;
        const bool fromCommandLine = entry != remembered[std::size_t(i)];
        const FileResult result = loadCodePlugFile(m_store, i, entry);
        if (result.ok())
            m_store.slot(i)->fileName = entry;
        else if (!fromCommandLine)
            m_store.slot(i)->fileName.clear(); // a remembered file that has gone is forgotten quietly
        else if (!result.message.isEmpty())
            m_prompts.error(m_messageTitle, result.message);
    }
}

SettingsValues MainForm::currentSettings() const
{
    SettingsValues values;
    values.placement = placement();
    for (int i = 0; i < CodePlugStore::kSlotCount; ++i)
        values.files[std::size_t(i)] = m_store.slot(i)->fileName;
    values.tab = m_pageControl->currentIndex();
    values.showNo = m_contactsForm->showNo();
    values.protectedIds = m_contactsForm->protectedIds();
    values.country = m_contactsForm->countryText();
    values.protectedChannels = m_channelsForm->protectedChannels();
    values.databaseHost = m_contactsForm->databasePanel()->host();
    return values;
}

void MainForm::readSettings()
{
    SettingsValues values = currentSettings();
    settingsfile::read(m_settingsPath, values, kTabCount);
    applyPlacement(values.placement);
    for (int i = 0; i < CodePlugStore::kSlotCount; ++i)
        m_store.slot(i)->fileName = values.files[std::size_t(i)];
    m_pageControl->setCurrentIndex(values.tab);
    if (values.showNo != m_contactsForm->showNo())
        m_contactsForm->setShowNo(values.showNo);
    m_contactsForm->protectedIds() = values.protectedIds;
    m_contactsForm->setCountryText(values.country);
    m_channelsForm->protectedChannels() = values.protectedChannels;
    m_contactsForm->databasePanel()->setHost(values.databaseHost);
}

bool MainForm::writeSettings()
{
    SettingsValues values = currentSettings();
    const bool written = settingsfile::write(m_settingsPath, values);
    // Writing sorts the lists; the pages keep them in that order too.
    m_contactsForm->protectedIds() = values.protectedIds;
    m_channelsForm->protectedChannels() = values.protectedChannels;
    if (!written)
        m_prompts.error(m_messageTitle, settingsfile::writeErrorText(m_settingsPath));
    return written;
}

void MainForm::refreshAll()
{
    const CodePlugSlot &slot = m_store.current();
    updateCaption();
    const bool open = slot.isOpen();
    for (QPushButton *button : { m_saveButton, m_saveAsButton, m_reloadButton, m_closeButton })
        button->setEnabled(open);
    for (int i = 0; i < CodePlugStore::kSlotCount; ++i)
        m_slotButtons[std::size_t(i)]->setToolTip(m_store.slot(i)->fileName);
    for (CodePlugPage *page : m_pages)
        page->pageRefresh();
    updateEditMenu();
}

void MainForm::updateCaption()
{
    const QString &fileName = m_store.current().fileName;
    const QString file = fileName.isEmpty() ? QString() : QStringLiteral("    ") + fileName;
    setWindowTitle(m_baseCaption + file + QStringLiteral("[*] "));
    setWindowModified(m_store.hasUnsavedChanges(m_store.currentIndex()));
}

// A cell edit ended here is a step of the slot it was made in, before the command goes on.
void MainForm::finishEditing()
{
    const QString cellEdit = m_historyHook ? m_historyHook->openCellEditName() : QString();
    for (CodePlugPage *page : m_pages)
        page->finishEditing();
    if (!cellEdit.isEmpty() && m_store.current().isOpen())
        m_store.current().history().closeStep(cellEdit);
}

void MainForm::selectSlot(int index)
{
    if (!CodePlugStore::validIndex(index))
        return;
    finishEditing();
    m_store.setCurrentIndex(index);
    m_slotButtons[std::size_t(index)]->setChecked(true);
    refreshAll();
}

bool MainForm::askDiscard(const QString &text)
{
    return !m_store.hasUnsavedChanges(m_store.currentIndex()) || m_prompts.askYesNo(m_messageTitle, text);
}

void MainForm::newCommand()
{
    finishEditing();
    if (!askDiscard(QStringLiteral("Unsaved code plug.\n\nDiscard it ?")))
        return;
    const std::optional<NewPlugChoice> choice = m_newPlugChooser(this);
    if (!choice)
        return;
    const int index = m_store.currentIndex();
    m_store.setImage(index, std::make_unique<FileImage>(makeNewCodePlug(choice->band, choice->model)));
    m_store.current().fileName.clear();
    refreshAll();
}

void MainForm::openCommand()
{
    finishEditing();
    if (!askDiscard(QStringLiteral("Unsaved code plug.\n\nDiscard it ?")))
        return;
    const QString fileName = m_dialogs.openFileName(this, m_dialogDirectory, kFileFilter);
    if (fileName.isEmpty())
        return;
    const FileResult result = loadCodePlugFile(m_store, m_store.currentIndex(), fileName);
    if (!result.ok()) {
        if (!result.message.isEmpty())
            m_prompts.error(m_messageTitle, result.message);
        return;
    }
    m_store.current().fileName = fileName;
    refreshAll();
}

void MainForm::reloadCommand()
{
    finishEditing();
    if (!askDiscard(QStringLiteral("Unsaved code plug.\n\nReload from file ?")))
        return;
    const FileResult result = loadCodePlugFile(m_store, m_store.currentIndex(), m_store.current().fileName);
    if (!result.ok()) {
        if (!result.message.isEmpty())
            m_prompts.error(m_messageTitle, result.message);
        return;
    }
    refreshAll();
}

bool MainForm::saveSlot(int index, const QString &fileName)
{
    const auto confirmPasswords = [this] {
        return m_prompts.ask(QMessageBox::Warning, m_messageTitle, kPasswordWarning, QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    };
    const FileResult result = saveCodePlugFile(m_store, index, fileName, confirmPasswords);
    if (!result.ok() && !result.message.isEmpty())
        m_prompts.error(m_messageTitle, result.message);
    return result.ok();
}

void MainForm::saveCommand()
{
    finishEditing();
    const CodePlugSlot &slot = m_store.current();
    if (!slot.isOpen())
        return;
    if (slot.fileName.isEmpty()) { // a new code plug has no file yet
        saveAsCommand();
        return;
    }
    if (saveSlot(m_store.currentIndex(), slot.fileName))
        updateCaption();
}

void MainForm::saveAsCommand()
{
    finishEditing();
    QString fileName = m_dialogs.saveFileName(this, m_dialogDirectory, m_store.current().fileName, kFileFilter);
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(QLatin1String(".rdt"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".rdt");
    if (!saveSlot(m_store.currentIndex(), fileName))
        return;
    m_store.current().fileName = fileName;
    m_slotButtons[std::size_t(m_store.currentIndex())]->setToolTip(fileName);
    updateCaption();
}

void MainForm::closeCommand()
{
    finishEditing();
    const int index = m_store.currentIndex();
    if (m_store.hasUnsavedChanges(index)) {
        const QMessageBox::StandardButton answer = m_prompts.ask(QMessageBox::Question, m_messageTitle,
            QStringLiteral("Unsaved code plug.\n\nSave before closing it ?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer != QMessageBox::Yes && answer != QMessageBox::No)
            return;
        if (answer == QMessageBox::Yes && !saveSlot(index, m_store.current().fileName))
            return;
    }
    m_store.setImage(index, nullptr);
    m_store.current().fileName.clear();
    if (!writeSettings())
        return;
    refreshAll();
}

bool MainForm::queryClose()
{
    finishEditing();
    // A settings file that cannot be written is said once and never keeps the window open.
    bool settingsWritten = writeSettings();
    for (int i = 0; i < CodePlugStore::kSlotCount; ++i) {
        if (!m_store.hasUnsavedChanges(i))
            continue;
        const QMessageBox::StandardButton answer = m_prompts.ask(QMessageBox::Question, m_messageTitle,
            QStringLiteral("Unsaved code plug %1.\n\nSave before exit ?").arg(i + 1),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::No)
            continue;
        if (answer != QMessageBox::Yes)
            return false;
        if (!saveSlot(i, m_store.slot(i)->fileName))
            return false;
        if (settingsWritten)
            settingsWritten = writeSettings();
    }
    return true;
}

void MainForm::closeEvent(QCloseEvent *event)
{
    if (queryClose())
        event->accept();
    else
        event->ignore();
}

void MainForm::keyPressEvent(QKeyEvent *event)
{
    const QWidget *focus = focusWidget();
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && (!focus || focus == this)) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

QRect MainForm::placement() const
{
    return QRect(pos(), size());
}

ScreenAreas MainForm::screenAreas() const
{
    return m_screenAreas();
}

void MainForm::applyPlacement(const QRect &proposed)
{
    const QRect adjusted = adjustPlacement(proposed, screenAreas(), kMinimumSize);
    if (adjusted == placement())
        return;
    m_placing = true;
    move(adjusted.topLeft());
    resize(adjusted.size());
    m_placing = false;
}

void MainForm::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    if (isVisible() && !m_placing)
        m_placementTimer->start();
}

void MainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (isVisible() && !m_placing)
        m_placementTimer->start();
}
