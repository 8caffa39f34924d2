#include "NewPlugDialog.h"

#include "ChannelRecord.h"
#include "RadioInfo.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>

std::optional<NewPlugChoice> askNewPlugChoice(QWidget *parent)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("NewPlugDialog"));
    dialog.setWindowTitle(QStringLiteral("New code plug"));
    auto *layout = new QFormLayout(&dialog);
    auto *model = new QComboBox(&dialog);
    model->setObjectName(QStringLiteral("ModelComboBox"));
    for (const codeplug::RadioModel &radio : codeplug::kRadioModels)
        model->addItem(QString::fromLatin1(radio.entryText));
    auto *band = new QComboBox(&dialog);
    band->setObjectName(QStringLiteral("BandComboBox"));
    for (const codeplug::BandLimits &limits : codeplug::kBands)
        band->addItem(QStringLiteral("%1 - %2 MHz").arg(limits.lowestHz / 1000000).arg(limits.highestHz / 1000000));
    const NewPlugChoice defaults;
    model->setCurrentIndex(defaults.model);
    band->setCurrentIndex(defaults.band);
    layout->addRow(QStringLiteral("Model"), model);
    layout->addRow(QStringLiteral("Band"), band);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return NewPlugChoice { model->currentIndex(), band->currentIndex() };
}
