#pragma once

#include "CodePlugPage.h"

class InPlaceEditor;
class QLabel;
class QTreeWidget;
namespace codeplug {
struct PrivacyKeyTable;
}

// The "  Digital Voice Encryption  " tab: the basic and the enhanced voice privacy keys, typed in
// place as hexadecimal. Radios of type 0 have no enhanced keys: their table is hidden.
class VoiceEncryptionForm final : public CodePlugPage
{
    Q_OBJECT
public:
    VoiceEncryptionForm(const PageContext &context, QWidget *parent);

    // The page has no page-shown operation.
    void pageRefresh() override;

private:
    struct KeyList
    {
        const codeplug::PrivacyKeyTable &table;
        QLabel *title;
        QTreeWidget *list;
    };

    KeyList createKeyList(const codeplug::PrivacyKeyTable &table, const char *name, const QString &title);
    void refreshKeyLists();
    void fillKeyList(const KeyList &keys);
    void editKey(const KeyList &keys, int row);

    QLabel *m_label1;
    InPlaceEditor *m_editor;
    KeyList m_basic;
    KeyList m_enhanced;
};
