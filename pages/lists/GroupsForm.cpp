#include "GroupsForm.h"

#include "ContactRecord.h"
#include "MemberLists.h"
#include "References.h"

using namespace codeplug;

namespace {

QStringList contactCells(const FileImage &image, int number)
{
    return { QString::number(number), ownerName(image, lists::contacts, number - 1),
        QString::number(contactId(image, number - 1)) };
}

const MemberPageTexts kTexts {
    .objectName = "GroupsForm",
    .members = memberdescriptors::rxGroupLists,
    .titlePrefix = QStringLiteral("Groups"),
    .emptyTitle = QStringLiteral("Groups .. up to 250. "),
    .initialTitle = QStringLiteral("Groups .. up to 250. "),
    .availableTitle = QStringLiteral("Available Contacts "),
    .membersInitialTitle = QStringLiteral("Contact Members .. up to 32. "),
    .membersUsed = QStringLiteral("Contact Members .. used %1 of 32. "),
    .membersUpTo = QStringLiteral("Contact Members .. up to 32. "),
    .label1 = QStringLiteral("List of contacts / talk groups that you can set each digital channel to monitor "),
    .memberColumns
    = { { QStringLiteral("No."), 50, Qt::AlignCenter }, { QStringLiteral("Name"), 0 }, { QStringLiteral("ID"), 70 } },
    .memberCells = &contactCells,
    .groupsPopup = true,
};

} // namespace

GroupsForm::GroupsForm(const PageContext &context, QWidget *parent)
    : MemberListsPage(context, kTexts, parent)
{
}

void GroupsForm::pageRefresh()
{
    reloadLater();
}

void GroupsForm::pageShown()
{
    refreshPage(false, 0);
}
