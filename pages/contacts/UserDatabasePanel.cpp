#include "UserDatabasePanel.h"

#include "ContactList.h"
#include "ContactRecord.h"
#include "Prompts.h"
#include "UserDbDownload.h"
#include "UserListModel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

using namespace codeplug;

namespace {

constexpr int kMaxCountryRows = 22;
constexpr int kRowHeight = 18;
const QString kCancelText = QStringLiteral("Cancel");

QPushButton *namedButton(const char *name, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QLabel *buddyLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

UserDatabasePanel::UserDatabasePanel(Hooks hooks, QWidget *parent)
    : QFrame(parent)
    , m_hooks(std::move(hooks))
    , m_host(userdb::kDefaultHost)
    , m_model(new UserListModel(this))
    , m_view(new QTableView(this))
    , m_title(new QLabel(this))
    , m_downloadDatabase(namedButton("DownloadDatabaseBitBtn", QStringLiteral("Download Database"), this))
    , m_downloadLastHeard(namedButton("DownloadLastHeardDatabaseBitBtn", QStringLiteral("Download Last Heard"), this))
    , m_databaseToggle(namedButton("DatabaseSpeedButton", QStringLiteral("Database"), this))
    , m_lastHeardToggle(namedButton("LastHeardSpeedButton", QStringLiteral("Last Heard"), this))
    , m_toggles(new QButtonGroup(this))
    , m_search(new QLineEdit(this))
    , m_countryBox(new QComboBox(this))
    , m_addButton(namedButton("AddToContactsBitBtn", QString(), this))
    , m_progressLabel(new QLabel(this))
    , m_progressBar(new QProgressBar(this))
    , m_menu(new QMenu(this))
    , m_searchTimer(new QTimer(this))
    , m_downloadPause(new QTimer(this))
    , m_download(new userdb::UserDbDownload(this))
{
    setObjectName(QStringLiteral("DatabasePanel"));
    setFrameShape(QFrame::StyledPanel);
    m_view->setObjectName(QStringLiteral("DatabaseListView"));
    m_title->setObjectName(QStringLiteral("DatabaseTitleLabel"));
    m_search->setObjectName(QStringLiteral("DatabaseSearchEdit"));
    m_countryBox->setObjectName(QStringLiteral("CountryFilterComboBox"));
    m_progressLabel->setObjectName(QStringLiteral("ProgressLabel"));
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_menu->setObjectName(QStringLiteral("DatabasePopupMenu"));

    m_view->setModel(m_model);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSortingEnabled(false);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    // Fixed row heights keep scrolling through the whole database cheap.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_view->horizontalHeader()->setSectionsClickable(false);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->setColumnHidden(UserListModel::HiddenColumn, true);
    const int widths[] = { 1, 68, 76, 104, 74, 60, 52, 90 };
    for (int column = 0; column < UserListModel::kColumnCount; ++column)
        m_view->setColumnWidth(column, widths[column]);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);

    m_downloadDatabase->setToolTip(QStringLiteral("Downloads the entire DMR radio ham contacts database "));
    m_downloadLastHeard->setToolTip(QStringLiteral("Downloads a DMR radio ham last heard list "));
    m_countryBox->setToolTip(QStringLiteral("Filter the above list according to listed country"));
    m_countryBox->setMaxVisibleItems(kMaxCountryRows);
    m_countryBox->addItem(kAllCountries);
    m_countryBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_countryBox->setMinimumContentsLength(16);
    m_countryBox->setFocusPolicy(Qt::StrongFocus); // the wheel never picks a country unasked
    m_addButton->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    m_addButton->setToolTip(QStringLiteral("Add the selected entries to the contacts"));
    for (QPushButton *toggle : { m_databaseToggle, m_lastHeardToggle }) {
        toggle->setCheckable(true);
        m_toggles->addButton(toggle);
    }
    m_toggles->setExclusive(true);
    m_databaseToggle->setChecked(true);
    m_progressBar->setRange(0, 100);
    m_progressBar->hide();
    m_search->installEventFilter(this);
    m_countryBox->installEventFilter(this);

    auto *side = new QVBoxLayout;
    side->addStretch(1);
    side->addWidget(m_addButton);
    side->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addWidget(m_title);
    right->addWidget(createToolRow());
    right->addWidget(m_view, 1);
    right->addWidget(createFilterRow());
    auto *progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progressLabel, 1);
    progressRow->addWidget(m_progressBar, 1);
    right->addLayout(progressRow);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(side);
    layout->addLayout(right, 1);
    createPopupMenu();

    m_searchTimer->setSingleShot(true);
    m_searchTimer->setInterval(kSearchDelayMs);
    m_downloadPause->setSingleShot(true);
    m_downloadPause->setInterval(kDownloadPauseMs);
    connect(m_searchTimer, &QTimer::timeout, this, [this] { refresh(true); });
    connect(m_search, &QLineEdit::textEdited, m_searchTimer, qOverload<>(&QTimer::start));
    connect(m_downloadPause, &QTimer::timeout, this, [this] { setDownloadButtonsEnabled(true); });
    connect(m_toggles, &QButtonGroup::buttonClicked, this, [this] { refresh(true); });
    connect(m_countryBox, &QComboBox::activated, this, &UserDatabasePanel::countryChosen);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_updating)
            refresh(false);
    });
    connect(m_view, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &at) { m_menu->popup(m_view->viewport()->mapToGlobal(at)); });
    connect(m_addButton, &QPushButton::clicked, this, &UserDatabasePanel::addSelected);
    connect(m_downloadDatabase, &QPushButton::clicked, this,
        [this] { startDownload(m_downloadDatabase, userdb::databaseUrl(m_host), userdb::kDatabaseFile); });
    connect(m_downloadLastHeard, &QPushButton::clicked, this,
        [this] { startDownload(m_downloadLastHeard, userdb::lastHeardUrl(m_host, 0), userdb::lastHeardFileName(0)); });
    connect(m_download, &userdb::UserDbDownload::bodyStarted, this, [this] {
        m_progressBar->setValue(0);
        m_progressBar->show();
    });
    connect(m_download, &userdb::UserDbDownload::progress, this, [this](qint64 received, qint64 total) {
        if (total > 0)
            m_progressBar->setValue(int(std::min<qint64>(100, received * 100 / total)));
    });
    connect(m_download, &userdb::UserDbDownload::finished, this, &UserDatabasePanel::downloadFinished);

    // A new download is possible six seconds after the page was made.
    setDownloadButtonsEnabled(false);
    m_downloadPause->start();
    refresh(true);
}

UserDatabasePanel::~UserDatabasePanel() = default;

QWidget *UserDatabasePanel::createToolRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_downloadDatabase);
    layout->addWidget(m_downloadLastHeard);
    layout->addStretch(1);
    layout->addWidget(m_databaseToggle);
    layout->addWidget(m_lastHeardToggle);
    return row;
}

QWidget *UserDatabasePanel::createFilterRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buddyLabel(QStringLiteral("Mask "), m_search, row));
    layout->addWidget(m_search, 1);
    layout->addSpacing(8);
    layout->addWidget(buddyLabel(QStringLiteral("Country "), m_countryBox, row));
    layout->addWidget(m_countryBox);
    return row;
}

void UserDatabasePanel::createPopupMenu()
{
    QAction *unselect = m_menu->addAction(QStringLiteral("Unselect All"), this, [this] {
        m_view->clearSelection();
        showTitle(QStringLiteral(" .. %1").arg(m_model->rowCount()));
    });
    unselect->setObjectName(QStringLiteral("DatabaseUnselectAll1"));
    QAction *selectAll = m_menu->addAction(QStringLiteral("Select All"), this, [this] {
        m_view->selectAll();
        const int selected = int(m_view->selectionModel()->selectedRows().size());
        showTitle(QStringLiteral(" .. %1, %2 selected. ").arg(m_model->rowCount()).arg(selected));
    });
    selectAll->setObjectName(QStringLiteral("DatabaseSelectAll1"));
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Cancel"))->setObjectName(QStringLiteral("DatabaseCancel1"));
    connect(m_menu, &QMenu::aboutToShow, this, [this, unselect, selectAll] {
        const int selected = int(m_view->selectionModel()->selectedRows().size());
        unselect->setEnabled(selected > 0);
        selectAll->setEnabled(!showingDatabase() && selected < m_model->rowCount());
    });
}

void UserDatabasePanel::setCountryText(const QString &country)
{
    m_country = country;
    const int index = m_countryBox->findText(country, Qt::MatchExactly);
    if (index >= 0 && index != m_countryBox->currentIndex()) {
        m_countryBox->setCurrentIndex(index);
        refresh(true);
    }
}

void UserDatabasePanel::ensureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_database.readCaches(progress());
    mergeCountries();
    refresh(true);
}

bool UserDatabasePanel::showingDatabase() const
{
    return m_databaseToggle->isChecked();
}

QString UserDatabasePanel::title() const
{
    return showingDatabase() ? QStringLiteral("DMR Ham Database ") : QStringLiteral("DMR Ham Last Heard ");
}

void UserDatabasePanel::showTitle(const QString &tail)
{
    m_title->setText(title() + tail);
}

void UserDatabasePanel::refresh(bool refill)
{
    if (refill) {
        m_searchTimer->stop();
        m_updating = true;
        const QString country = m_countryBox->currentText();
        const DmrUserList &list = m_database.list(!showingDatabase());
        m_model->reset(&list, filterUsers(list, country, m_search->text()));
        m_updating = false;
    }
    const int selected = int(m_view->selectionModel()->selectedRows().size());
    QString tail = QStringLiteral(" .. %1").arg(m_model->rowCount());
    if (selected > 0)
        tail += QStringLiteral(" .. %1 selected. ").arg(selected);
    showTitle(tail);
    updateAddButton();
}

void UserDatabasePanel::updateAddButton()
{
    const FileImage *image = m_hooks.image ? m_hooks.image() : nullptr;
    m_addButton->setEnabled(image && contactCount(*image) < kMaxContacts && m_view->selectionModel()->hasSelection());
}

UserDbProgress UserDatabasePanel::progress()
{
    return [this](const QString &label, qint64 value, qint64 maximum) {
        if (maximum < 0) {
            m_progressLabel->clear();
            m_progressBar->hide();
            return;
        }
        if (!label.isEmpty())
            m_progressLabel->setText(label);
        m_progressBar->setValue(maximum > 0 ? int(value * 100 / maximum) : 0);
        m_progressBar->show();
    };
}

void UserDatabasePanel::countryChosen(int index)
{
    m_country = m_countryBox->itemText(index);
    refresh(true);
}

void UserDatabasePanel::mergeCountries()
{
    QStringList items;
    for (int i = 0; i < m_countryBox->count(); ++i)
        items.append(m_countryBox->itemText(i));
    items = codeplug::mergeCountries(items, m_database.database());
    items = codeplug::mergeCountries(items, m_database.lastHeard());
    m_countryBox->clear();
    m_countryBox->addItems(items);
    m_countryBox->setCurrentIndex(std::max(0, int(m_countryBox->findText(m_country, Qt::MatchExactly))));
}

void UserDatabasePanel::addSelected()
{
    if (!m_addButton->isEnabled() || !m_hooks.addToContacts)
        return;
    QModelIndexList rows = m_view->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    std::vector<DmrUserEntry> entries;
    entries.reserve(std::size_t(rows.size()));
    for (const QModelIndex &row : rows)
        entries.push_back(m_model->entry(row.row()));
    m_hooks.addToContacts(entries);
    updateAddButton();
}

void UserDatabasePanel::setDownloadButtonsEnabled(bool enabled)
{
    m_downloadDatabase->setEnabled(enabled);
    m_downloadLastHeard->setEnabled(enabled);
}

void UserDatabasePanel::startDownload(QPushButton *button, const QString &url, const QString &fileName)
{
    if (m_download->isRunning()) {
        if (button == m_runningButton)
            m_download->cancel();
        return;
    }
    QString shown = url;
    userdb::normalizeUrl(shown);
    m_progressLabel->setText(userdb::downloadLabel(shown));
    m_runningButton = button;
    m_runningText = button->text();
    m_downloadPath = m_database.path(fileName);
    setDownloadButtonsEnabled(false);
    button->setText(kCancelText);
    button->setEnabled(true); // it cancels while the download runs
    m_download->start(url, m_downloadPath);
}

void UserDatabasePanel::downloadFinished(int code, const QString &message)
{
    QPushButton *button = m_runningButton;
    if (button)
        button->setText(m_runningText);
    m_runningButton = nullptr;
    m_progressLabel->clear();
    m_progressBar->hide();
    setDownloadButtonsEnabled(false);
    m_downloadPause->start();
    if (!message.isEmpty() && m_hooks.prompts)
        m_hooks.prompts->error(m_hooks.caption, message);
    if (code != userdb::DownloadOk)
        return;
    if (m_database.parseFile(m_downloadPath, progress()) == UserDbNoEntries) {
        if (m_hooks.prompts)
            m_hooks.prompts->error(m_hooks.caption, userdb::kNoEntriesMessage);
        return;
    }
    mergeCountries();
    (button == m_downloadLastHeard ? m_lastHeardToggle : m_databaseToggle)->setChecked(true);
    refresh(true);
}

bool UserDatabasePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_countryBox && event->type() == QEvent::Wheel && !m_countryBox->hasFocus())
        return true;
    if (watched != m_search || event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Escape)
        return true;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        refresh(true);
        if (m_view->selectionModel()->hasSelection())
            m_view->setFocus();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
