#include "ZonesForm.h"

#include "ListPanel.h"
#include "MemberLists.h"

using namespace codeplug;

namespace {

const MemberPageTexts kTexts {
    .objectName = "ZonesForm",
    .members = memberdescriptors::zones,
    .titlePrefix = QStringLiteral("Zones"),
    .emptyTitle = QStringLiteral("Zones .. up to 250. "),
    .initialTitle = QStringLiteral("Zone List .. up to 250 "),
    .availableTitle = QStringLiteral("Available Channels "),
    .membersInitialTitle = QStringLiteral("Channel Members .. up to 16 "),
    .membersUsed = QStringLiteral("Channel Members .. used %1 of 16 "),
    .membersUpTo = QStringLiteral("Channel Members .. up to 16 "),
    .label1 = QStringLiteral("Set what the central rotary knob selects on the top of your radio  "),
    .memberColumns = { { QStringLiteral("Chan"), 50, Qt::AlignCenter }, { QStringLiteral("Name"), 0 },
        { QStringLiteral("Mode"), 70 } },
    .memberCells = &channelMemberCells,
};

} // namespace

ZonesForm::ZonesForm(const PageContext &context, QWidget *parent)
    : MemberListsPage(context, kTexts, parent)
{
}

void ZonesForm::pageRefresh()
{
    panel()->reload();
}
