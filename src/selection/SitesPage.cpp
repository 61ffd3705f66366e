#include "SitesPage.h"

#include "shell/TMainFrm.h"

#include <QCheckBox>
#include <QTreeWidget>

TSitesPage::TSitesPage(TMainFrm& main, QWidget* parent) : QWidget(parent), main_(main)
{
    setObjectName(QStringLiteral("SitesSheet"));
    SiteGrid = new QTreeWidget(this);
    SiteGrid->setObjectName(QStringLiteral("SiteGrid"));
    SiteGrid->setGeometry(4, 4, 580, 250);
    UseGridLinesChk = new QCheckBox(QStringLiteral("Use Grid Lines"), this);
    UseGridLinesChk->setObjectName(QStringLiteral("UseGridLinesChk"));
    UseGridLinesChk->setGeometry(4, 340, 120, 17);
    connect(UseGridLinesChk, &QCheckBox::clicked, &main_, &TMainFrm::UseGridLinesChkClick);
}

int TSitesPage::rowCount() const { return SiteGrid->topLevelItemCount(); }
void TSitesPage::setGridLines(bool) {}
void TSitesPage::BuildSiteGrid() {}
void TSitesPage::SaveSiteSelection() { main_.SiteSelectionChanged = false; }
void TSitesPage::ShowSiteRow() {}
bool TSitesPage::CountSitesToPost(bool) { return true; }
QString TSitesPage::submittingRowCategory(int which) const
{
    const QTreeWidgetItem* row = SiteGrid->currentItem();
    return row ? row->text(which == 1 ? 3 : 4) : QString();
}
