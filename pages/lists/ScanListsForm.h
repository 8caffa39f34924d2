#pragma once

#include "MemberListsPage.h"

class FieldBinder;
class QComboBox;

// The "  Scan Lists  " tab: the scan lists, their channels, and the priority, transmit and timing
// settings of the selected scan lists.
class ScanListsForm final : public MemberListsPage
{
    Q_OBJECT
public:
    ScanListsForm(const PageContext &context, QWidget *parent);

    // Rebuilds through the deferred refresh.
    void pageRefresh() override;
    void pageShown() override;

protected:
    void selectionShown(const codeplug::FileImage *image) override;

private:
    QComboBox *addChoice(int row, int column, const char *name, const QString &label, int byte, bool wide);

    FieldBinder *m_binder;
    QComboBox *m_priority1 = nullptr;
    QComboBox *m_priority2 = nullptr;
    QComboBox *m_txDesignated = nullptr;
    QList<QWidget *> m_settings; // the five boxes and their labels
};
