#pragma once

#include "EditHistory.h"

#include <QString>
#include <QWidget>

namespace codeplug {
class CodePlugStore;
class FileImage;
} // namespace codeplug
class Prompts;
class FileDialogs;

// What the main window hands to every page.
struct PageContext
{
    codeplug::CodePlugStore *store = nullptr;
    Prompts *prompts = nullptr;
    FileDialogs *dialogs = nullptr;
    QString messageTitle; // caption of the file and question boxes
};

// Base of the fourteen tab pages. A page holds no copy of the code plug: it reads its controls
// from the current slot and writes every edit straight back into it.
class CodePlugPage : public QWidget
{
    Q_OBJECT
public:
    CodePlugPage(const PageContext &context, QWidget *parent);
    ~CodePlugPage() override;

    // Reloads every control from the current slot, or shows the empty, disabled state when the
    // current slot holds no code plug. Called by the main window's refresh all.
    virtual void pageRefresh() = 0;
    // Called when the page's tab becomes the active tab.
    virtual void pageShown() { }

    // Closes any in-place editor of the page, storing its value. The main window calls it before a
    // command that saves, replaces or leaves the current slot, so that a pending edit lands in the
    // code plug it was made in.
    void finishEditing();

    // Set while the page fills its controls, so that its change handlers write nothing back.
    bool isUpdating() const { return m_updating; }

    // False while the page's tab is to be hidden (a feature the current radio type lacks).
    bool isTabOffered() const { return m_tabOffered; }

Q_SIGNALS:
    void tabOfferChanged(bool offered);

protected:
    codeplug::CodePlugStore &store() const { return *m_context.store; }
    Prompts &prompts() const { return *m_context.prompts; }
    FileDialogs &dialogs() const { return *m_context.dialogs; }
    const QString &messageTitle() const { return m_context.messageTitle; }
    // The current slot's image, or nullptr when the slot holds no code plug.
    codeplug::FileImage *currentImage() const;
    bool codePlugOpen() const { return currentImage() != nullptr; }
    // One undo step of the current slot, named `name`, for all the command does until the scope
    // ends, questions included:  const auto step = undoStep(QStringLiteral("Delete channels"));
    codeplug::HistoryScope undoStep(const QString &name, const QString &mergeKey = {}) const;
    void offerTab(bool offered);
    // Tells what an import did: a notice, and a message box that names the lines it left out.
    void reportImport(const QString &summary, const QList<int> &skippedLines) const;

    // Sets the updating flag for its lifetime and restores the previous value afterwards.
    class UpdatingScope
    {
    public:
        explicit UpdatingScope(CodePlugPage &page)
            : m_page(page)
            , m_saved(page.m_updating)
        {
            page.m_updating = true;
        }
        ~UpdatingScope() { m_page.m_updating = m_saved; }
        UpdatingScope(const UpdatingScope &) = delete;
        UpdatingScope &operator=(const UpdatingScope &) = delete;

    private:
        CodePlugPage &m_page;
        bool m_saved;
    };

private:
    friend class ListPanel; // reads the slot and sets the updating flag for the page's list

    PageContext m_context;
    bool m_updating = false;
    bool m_tabOffered = true;
};

// A page whose controls are still to come: it shows its title and whether a code plug is loaded,
// and is disabled while the current slot is empty.
class PlaceholderPage : public CodePlugPage
{
    Q_OBJECT
public:
    PlaceholderPage(const PageContext &context, const QString &title, QWidget *parent);

    void pageRefresh() override;

private:
    QString m_title;
    class QLabel *m_stateLabel;
};
