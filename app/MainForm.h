#pragma once

#include "CodePlugPage.h"
#include "NewPlugDialog.h"
#include "SettingsFile.h"
#include "WindowPlacement.h"

#include <array>
#include <functional>
#include <optional>

#include <QMainWindow>

namespace codeplug {
class CodePlugStore;
}
class FileDialogs;
class Prompts;
class QAbstractButton;
class QAction;
class QButtonGroup;
class QPushButton;
class QTabWidget;
class QTimer;
class ChannelsForm;
class DigitalContactsForm;
class HistoryHook;

// The editor's only window: the file buttons, the four slot buttons and the fourteen tab pages.
// It is the one place where the current slot changes, where files are opened, saved, reloaded and
// closed, and where every page is refreshed.
class MainForm final : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kTabCount = settingsfile::kTabCount;
    static constexpr int kChannelsTab = 11; // selected at design time
    static const QRect kDesignPlacement;
    static const QSize kMinimumSize;

    MainForm(codeplug::CodePlugStore &store, Prompts &prompts, FileDialogs &dialogs, const QString &settingsPath,
        QWidget *parent = nullptr);
    ~MainForm() override;

    // Reads the settings, loads the remembered files or those named on the command line (the
    // arguments after the program name) and refreshes everything.
    void startUp(const QStringList &commandLine);

    // The screen areas the placement is checked against (the real screens by default).
    void setScreenAreasProvider(std::function<ScreenAreas()> provider) { m_screenAreas = std::move(provider); }
    // What New asks for the model and band (the dialog by default); none cancels New.
    using NewPlugChooser = std::function<std::optional<NewPlugChoice>(QWidget *parent)>;
    void setNewPlugChooser(NewPlugChooser chooser) { m_newPlugChooser = std::move(chooser); }

    const QString &messageTitle() const { return m_messageTitle; }
    const QString &baseCaption() const { return m_baseCaption; }
    const QString &settingsPath() const { return m_settingsPath; }
    const QString &dialogDirectory() const { return m_dialogDirectory; }
    CodePlugPage *page(int index) const { return m_pages.at(std::size_t(index)); }

    // The commands of the buttons and menu items, on the current slot.
    void newCommand();
    void openCommand();
    void reloadCommand();
    void saveCommand();
    void saveAsCommand();
    void closeCommand();
    void selectSlot(int index);
    void refreshAll();
    // Undo and redo on the current slot; the pages then show the restored image.
    void undoCommand();
    void redoCommand();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createButtonPanel();
    void createMenu();
    void createPages();
    void createEditMenu();
    void updateEditMenu();
    // The caption names the current slot's file; its [*] marks unsaved changes.
    void updateCaption();
    void stepHistory(bool back);
    QPushButton *addPanelButton(class QHBoxLayout *layout, const QString &name, const QString &text);

    void readSettings();
    bool writeSettings();
    SettingsValues currentSettings() const;
    void loadStartUpFiles(const std::array<QString, 4> &remembered, const QStringList &commandLine);

    void finishEditing();
    bool askDiscard(const QString &text);
    bool saveSlot(int index, const QString &fileName);
    bool queryClose();
    void applyPlacement(const QRect &proposed);
    ScreenAreas screenAreas() const;
    QRect placement() const;

    codeplug::CodePlugStore &m_store;
    Prompts &m_prompts;
    FileDialogs &m_dialogs;
    QString m_settingsPath;
    QString m_messageTitle;
    QString m_baseCaption;
    QString m_dialogDirectory;
    std::function<ScreenAreas()> m_screenAreas;
    NewPlugChooser m_newPlugChooser = askNewPlugChoice;

    QWidget *m_panel = nullptr;
    QPushButton *m_openButton = nullptr;
    QPushButton *m_reloadButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_saveAsButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    std::array<QPushButton *, 4> m_slotButtons {};
    QButtonGroup *m_slotGroup = nullptr;
    QTabWidget *m_pageControl = nullptr;
    std::array<CodePlugPage *, kTabCount> m_pages {};
    ChannelsForm *m_channelsForm = nullptr;
    DigitalContactsForm *m_contactsForm = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    HistoryHook *m_historyHook = nullptr;
    QTimer *m_placementTimer = nullptr;
    bool m_placing = false;
};
