#pragma once

#include "CodePlugPage.h"
#include "CodePlugStore.h"
#include "ContactRecord.h"
#include "ImageBuilder.h"
#include "ListClicks.h"
#include "ListPanel.h"
#include "ListViewTools.h"
#include "ScriptedPrompts.h"

#include <functional>
#include <memory>
#include <optional>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

// Contacts "C1", "C2", ... with IDs 101, 102, ... as group calls, in front of what `builder` holds.
inline testsupport::ImageBuilder &numberedContacts(testsupport::ImageBuilder &builder, int count)
{
    for (int i = 0; i < count; ++i)
        codeplug::writeContact(
            builder.image(), i, std::uint32_t(101 + i), codeplug::GroupCall, false, QStringLiteral("C%1").arg(i + 1));
    return builder;
}

// One page of type T over a store whose slot 1 holds `image` (none: the slot is empty), shown
// at a size that leaves its list a few dozen rows, with scripted message boxes and file dialogs.
class PageFixture
{
public:
    using Maker = std::function<CodePlugPage *(const PageContext &)>;

    PageFixture(std::optional<codeplug::FileImage> image, const Maker &make)
    {
        if (image)
            store.setImage(0, std::make_unique<codeplug::FileImage>(std::move(*image)));
        page.reset(make(PageContext { &store, &prompts, &dialogs, QStringLiteral("Editor") }));
        page->resize(1000, 600);
        page->show();
        page->pageRefresh();
        settle();
        panel = page->findChild<ListPanel *>();
        list = panel ? panel->list() : nullptr;
    }

    template <class T> static PageFixture of(std::optional<codeplug::FileImage> image)
    {
        return PageFixture(std::move(image), [](const PageContext &context) { return new T(context, nullptr); });
    }
    template <class T> static PageFixture of(const testsupport::ImageBuilder &builder)
    {
        return of<T>(std::optional<codeplug::FileImage>(builder.image()));
    }
    template <class T> T *as() const { return static_cast<T *>(page.get()); }

    codeplug::FileImage &image() const { return *store.currentImage(); }
    template <class W> W *child(const char *name) const { return page->findChild<W *>(QLatin1String(name)); }
    QPushButton *button(const char *name) const { return child<QPushButton>(name); }
    QAction *action(const char *name) const { return child<QAction>(name); }
    QLineEdit *edit() const { return child<QLineEdit>("listViewEdit"); }
    QString title() const { return child<QLabel>("TitleLabel")->text(); }
    QString cell(int row, int column) const { return list->topLevelItem(row)->text(column); }
    QStringList column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            texts.append(cell(row, column));
        return texts;
    }
    QList<int> selected() const { return listview::selectedRows(list); }
    void select(const QList<int> &rows) const
    {
        list->clearSelection();
        for (int row : rows)
            list->topLevelItem(row)->setSelected(true);
        settle();
    }
    QPoint cellCentre(int row, int column) const { return listclicks::cellCentre(list, row, column); }
    void doubleClick(int row, int column) const { listclicks::doubleClick(list, row, column); }
    // A mouse move over a row's name cell with the given buttons held.
    void mouseMove(int row, Qt::MouseButtons buttons) const
    {
        const QPoint at = cellCentre(row, 2);
        QMouseEvent move(
            QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &move);
    }
    // Makes another of the page's lists the one the list helpers act on.
    void useList(const char *name) { list = child<QTreeWidget>(name); }
    bool enabled(const char *entry) const
    {
        panel->updateMenu();
        return action(entry)->isEnabled();
    }
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    mutable codeplug::CodePlugStore store;
    ScriptedPrompts prompts;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<CodePlugPage> page;
    ListPanel *panel = nullptr;
    QTreeWidget *list = nullptr;
};
