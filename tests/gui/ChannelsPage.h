#pragma once

// The channels page on its own, shared by the tests of its list and of its details.

#include "ChannelRecord.h"
#include "CodePlugStore.h"
#include "ImageBuilder.h"
#include "Layout.h"
#include "ListClicks.h"
#include "ScriptedPrompts.h"
#include "channels/ChannelsForm.h"

#include <memory>

#include <QComboBox>
#include <QCoreApplication>
#include <QTreeWidget>

using namespace codeplug;

namespace channelspage {

const QStringList kNames { QStringLiteral("Alpha"), QStringLiteral("Bravo"), QStringLiteral("Charlie"),
    QStringLiteral("Delta"), QStringLiteral("Echo"), QStringLiteral("Foxtrot"), QStringLiteral("Golf"),
    QStringLiteral("Hotel"), QStringLiteral("India"), QStringLiteral("Juliett"), QStringLiteral("Kilo"),
    QStringLiteral("Lima") };

inline int recordOffset(int index)
{
    return lists::channels.recordOffset(index);
}

inline QByteArray recordBytes(const FileImage &image, int index)
{
    const auto bytes = image.span(recordOffset(index), lists::channels.recordSize);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}

// A band-2 code plug whose first `count` channels carry names without digits (Alpha, Bravo, ...).
inline testsupport::ImageBuilder channelPlug(int count)
{
    testsupport::ImageBuilder builder(2);
    for (int i = 0; i < count; ++i)
        builder.named(lists::channels, i, kNames.at(i));
    return builder;
}

inline void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// The channels page on its own over slot 1, with scripted answers.
struct Page
{
    CodePlugStore store;
    ScriptedPrompts prompts;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<ChannelsForm> form;

    explicit Page(const testsupport::ImageBuilder &builder)
    {
        store.setImage(0, std::make_unique<FileImage>(builder.image()));
        form = std::make_unique<ChannelsForm>(
            PageContext { &store, &prompts, &dialogs, QStringLiteral("Editor") }, nullptr);
        form->resize(1000, 600);
        form->show();
        form->pageRefresh();
        settle();
    }

    FileImage &image() { return *store.currentImage(); }
    QTreeWidget *list() const { return child<QTreeWidget>("ListView"); }

    template <class T> T *child(const char *name) const
    {
        T *widget = form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qWarning("no child %s", name);
        return widget;
    }

    void select(const QList<int> &rows)
    {
        list()->clearSelection();
        for (int row : rows)
            list()->topLevelItem(row)->setSelected(true);
        settle();
    }

    QList<int> selected() const
    {
        QList<int> rows;
        for (int i = 0; i < list()->topLevelItemCount(); ++i) {
            if (list()->topLevelItem(i)->isSelected())
                rows.append(i);
        }
        return rows;
    }

    QStringList names() const
    {
        QStringList result;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            result.append(list()->topLevelItem(i)->text(2));
        return result;
    }

    void doubleClick(int row, int column) const { listclicks::doubleClick(list(), row, column); }

    QStringList comboValues(const char *name) const
    {
        QStringList values;
        const QComboBox *combo = child<QComboBox>(name);
        for (int i = 0; i < combo->count(); ++i)
            values.append(combo->itemText(i));
        return values;
    }
};

} // namespace channelspage

using namespace channelspage;
