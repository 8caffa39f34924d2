#pragma once

#include "UserDatabase.h"

#include <functional>
#include <span>

#include <QFrame>

class Prompts;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;
class UserListModel;
namespace userdb {
class UserDbDownload;
}

// The right half of the Digital Contacts tab: the downloaded DMR user database or last-heard
// list, filtered by country and by a search mask, whose selected entries become contacts.
class UserDatabasePanel final : public QFrame
{
    Q_OBJECT
public:
    // What the panel needs of its page.
    struct Hooks
    {
        Prompts *prompts = nullptr;
        QString caption; // the program's name, the caption of the download messages
        std::function<const codeplug::FileImage *()> image; // the current slot's, or none
        std::function<void(std::span<const codeplug::DmrUserEntry>)> addToContacts;
    };

    // Ticks of the 25 ms page timer: the search waits 2 s, the download buttons 6 s.
    static constexpr int kSearchDelayMs = 80 * 25;
    static constexpr int kDownloadPauseMs = 240 * 25;

    UserDatabasePanel(Hooks hooks, QWidget *parent);
    ~UserDatabasePanel() override;

    void setDataFolder(const QString &folder) { m_database.setFolder(folder); }
    void setHost(const QString &host) { m_host = host; }
    QString host() const { return m_host; }
    // The chosen country; one set before the caches are read is selected once they are.
    QString countryText() const { return m_country; }
    void setCountryText(const QString &country);

    // Reads the caches the first time the page is shown.
    void ensureLoaded();
    // Refilters the list (refill) or only re-titles it and sets the add button.
    void refresh(bool refill);
    void updateAddButton();
    // The progress label and bar as a progress callback of the core.
    codeplug::UserDbProgress progress();
    codeplug::UserDatabase &database() { return m_database; }

private:
    QWidget *createToolRow();
    QWidget *createFilterRow();
    void createPopupMenu();
    QString title() const;
    void showTitle(const QString &tail);
    bool showingDatabase() const;
    void countryChosen(int index);
    void mergeCountries();
    void addSelected();
    void startDownload(QPushButton *button, const QString &url, const QString &fileName);
    void downloadFinished(int code, const QString &message);
    void setDownloadButtonsEnabled(bool enabled);
    bool eventFilter(QObject *watched, QEvent *event) override;

    Hooks m_hooks;
    codeplug::UserDatabase m_database;
    QString m_host;
    QString m_country;
    bool m_loaded = false;
    bool m_updating = false;

    UserListModel *m_model;
    QTableView *m_view;
    QLabel *m_title;
    QPushButton *m_downloadDatabase;
    QPushButton *m_downloadLastHeard;
    QPushButton *m_databaseToggle;
    QPushButton *m_lastHeardToggle;
    QButtonGroup *m_toggles;
    QLineEdit *m_search;
    QComboBox *m_countryBox;
    QPushButton *m_addButton;
    QLabel *m_progressLabel;
    QProgressBar *m_progressBar;
    QMenu *m_menu;
    QTimer *m_searchTimer;
    QTimer *m_downloadPause;
    userdb::UserDbDownload *m_download;
    QPushButton *m_runningButton = nullptr;
    QString m_runningText;
    QString m_downloadPath;
};
