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
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
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
    // The texts of a column of the page's list, or of another list of the page.
    QStringList column(int column, const QTreeWidget *view = nullptr) const
    {
        view = view ? view : list;
        QStringList texts;
        for (int row = 0; row < view->topLevelItemCount(); ++row)
            texts.append(view->topLevelItem(row)->text(column));
        return texts;
    }
    QList<int> selected() const { return listview::selectedRows(list); }
    void select(const QList<int> &rows, QTreeWidget *view = nullptr) const
    {
        view = view ? view : list;
        view->clearSelection();
        for (int row : rows)
            view->topLevelItem(row)->setSelected(true);
        settle();
    }
    QTreeWidget *view(const char *name) const { return child<QTreeWidget>(name); }
    void clickHeader(int column) const
    {
        QHeaderView *header = list->header();
        const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        settle();
    }
    // Picks a drop-down entry as the user does: the list closes on it.
    static void choose(QComboBox *combo, int index)
    {
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
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
