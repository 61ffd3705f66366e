#include "SitesPage.h"

#include "engines/EngineFiles.h"
#include "engines/ExpanderSource.h"
#include "model/Workspace.h"
#include "platform/Clock.h"
#include "platform/Cursor.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>

#include <exception>

using namespace selection;

namespace selection {

// Draws the grid lines of the report view (right and bottom edge of each cell).
class GridLineDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool lines = false;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!lines)
            return;
        painter->save();
        painter->setPen(QColor(192, 192, 192));
        const QRect r = option.rect;
        painter->drawLine(r.topRight(), r.bottomRight());
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->restore();
    }
};

} // namespace selection

namespace {

const QColor Grey(192, 192, 192);
const QColor White(255, 255, 255);

void setBoxColour(QComboBox* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    box->setPalette(palette);
}


QTreeWidgetItem* newItem(const SiteRow& row) {
    QStringList cells;
    cells.reserve(ColumnCount);
    for (int c = 0; c < ColumnCount; ++c)
        cells.append(row.cell(c));
    auto* item = new QTreeWidgetItem(cells);
    for (int c = 0; c < ColumnCount; ++c)
        if (columnInfo(c).centred)
            item->setTextAlignment(c, Qt::AlignCenter);
    return item;
}

} // namespace

TSitesPage::TSitesPage(Workspace& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("SitesSheet"));
    createControls();
}

void TSitesPage::createControls() {
    const auto named = [](auto* widget, const char* name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };

    SiteGrid = named(new QTreeWidget(this), "SiteGrid");
    SiteGrid->setGeometry(4, 4, 580, 226);
    SiteGrid->setColumnCount(ColumnCount);
    SiteGrid->setRootIsDecorated(false);
    SiteGrid->setIndentation(0);
    SiteGrid->setUniformRowHeights(true);
    SiteGrid->setItemsExpandable(false);
    SiteGrid->setAllColumnsShowFocus(true);
    SiteGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    SiteGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    SiteGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SiteGrid->setSortingEnabled(false); // rows keep the engine list's order
    SiteGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    QPalette gridPalette = SiteGrid->palette();
    gridPalette.setColor(QPalette::Base, White);
    SiteGrid->setPalette(gridPalette);
    QTreeWidgetItem* header = SiteGrid->headerItem();
    for (int c = 0; c < ColumnCount; ++c) {
        header->setText(c, QLatin1String(columnInfo(c).caption));
        header->setTextAlignment(c, (columnInfo(c).centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    SiteGrid->header()->setStretchLastSection(false);
    SiteGrid->header()->setSectionsMovable(false);
    SiteGrid->header()->setSectionsClickable(false);
    SiteGrid->header()->setMinimumSectionSize(10);
    for (int c = 0; c < ColumnCount; ++c)
        SiteGrid->header()->resizeSection(c, columnInfo(c).width);
    gridLineDelegate_ = new GridLineDelegate(SiteGrid);
    SiteGrid->setItemDelegate(gridLineDelegate_);

    Label3D1 = named(new QLabel(QStringLiteral("Current Available Sites:"), this), "Label3D1");
    Label3D1->setGeometry(6, 236, 136, 18);
    SiteGridCountLbl = named(new QLabel(QStringLiteral("0"), this), "SiteGridCountLbl");
    SiteGridCountLbl->setGeometry(144, 236, 44, 18);
    Label3D4 = named(new QLabel(QStringLiteral("Total To Post::"), this), "Label3D4");
    Label3D4->setGeometry(200, 236, 88, 18);
    TotalToPostLbl = named(new QLabel(QStringLiteral("0"), this), "TotalToPostLbl");
    TotalToPostLbl->setGeometry(290, 236, 44, 18);
    for (QLabel* number : {SiteGridCountLbl, TotalToPostLbl}) {
        QFont bold = number->font();
        bold.setBold(true);
        number->setFont(bold);
    }
    UseGridLinesChk = named(new QCheckBox(QStringLiteral("Use Grid Lines"), this), "UseGridLinesChk");
    UseGridLinesChk->setGeometry(474, 236, 110, 18);

    DoPostCheckBox = named(new QCheckBox(QStringLiteral("Submit to this software site as"), this), "DoPostCheckBox");
    DoPostCheckBox->setGeometry(6, 260, 236, 18);
    SubmitNewRadio = named(new QRadioButton(QStringLiteral("a NEW first time submission"), this), "SubmitNewRadio");
    SubmitNewRadio->setGeometry(24, 282, 218, 18);
    SubmitNewRadio->setChecked(true);
    SubmitUpdateRadio =
        named(new QRadioButton(QStringLiteral("an UPDATE to an Existing Listing"), this), "SubmitUpdateRadio");
    SubmitUpdateRadio->setGeometry(24, 302, 218, 18);

    Cat1Label = named(new QLabel(QStringLiteral("Primary Category:"), this), "Cat1Label");
    Cat1Label->setGeometry(248, 260, 122, 18);
    CatCombo1 = named(new QComboBox(this), "CatCombo1");
    CatCombo1->setGeometry(372, 258, 212, 22);
    Cat2Label = named(new QLabel(QStringLiteral("Secondary Category:"), this), "Cat2Label");
    Cat2Label->setGeometry(248, 286, 122, 18);
    CatCombo2 = named(new QComboBox(this), "CatCombo2");
    CatCombo2->setGeometry(372, 284, 212, 22);
    for (QComboBox* box : {CatCombo1, CatCombo2}) {
        box->setEditable(false); // typing blocked: only the site's categories
        box->setEnabled(false);
        setBoxColour(box, Grey);
    }
    Cat1Label->setEnabled(false);
    Cat2Label->setEnabled(false);

    SiteGridUpBtn = named(new QToolButton(this), "SiteGridUpBtn");
    SiteGridUpBtn->setArrowType(Qt::UpArrow);
    SiteGridUpBtn->setGeometry(248, 314, 28, 24);
    SiteGridDownBtn = named(new QToolButton(this), "SiteGridDownBtn");
    SiteGridDownBtn->setArrowType(Qt::DownArrow);
    SiteGridDownBtn->setGeometry(280, 314, 28, 24);
    AppSiteGoUrlBtn = named(new QPushButton(QStringLiteral("Go to URL"), this), "AppSiteGoUrlBtn");
    AppSiteGoUrlBtn->setGeometry(372, 314, 104, 24);
    AppSiteChangeBtn = named(new QPushButton(QStringLiteral("Save Changes"), this), "AppSiteChangeBtn");
    AppSiteChangeBtn->setGeometry(480, 314, 104, 24);

    AllToNewBtn = named(new QPushButton(QStringLiteral("All \"New\""), this), "AllToNewBtn");
    AllToUpdateBtn = named(new QPushButton(QStringLiteral("All \"Update\""), this), "AllToUpdateBtn");
    AllToPostBtn = named(new QPushButton(QStringLiteral("All \"Post\""), this), "AllToPostBtn");
    AllToNoPostBtn = named(new QPushButton(QStringLiteral("All \"No Post\""), this), "AllToNoPostBtn");
    int x = 6;
    for (QPushButton* button : {AllToNewBtn, AllToUpdateBtn, AllToPostBtn, AllToNoPostBtn}) {
        button->setGeometry(x, 348, 142, 24);
        x += 146;
    }

    SiteGridPopupMenu = named(new QMenu(this), "SiteGridPopupMenu");
    const auto item = [this](const char* name, const char* caption) {
        QAction* action = SiteGridPopupMenu->addAction(QLatin1String(caption));
        action->setObjectName(QLatin1String(name));
        return action;
    };
    SG_PopUp_ToPost = item("SG_PopUp_ToPost", "Set Post To NO");
    SG_PopUp_AsPost = item("SG_PopUp_AsPost", "Set as Post UPDATE");
    SG_PopUp_ChangePostDate = item("SG_PopUp_ChangePostDate", "Set Last Post Date To NOW");
    SiteGridPopupMenu->addSeparator();
    SG_PopUp_GoToSiteBuilder = item("SG_PopUp_GoToSiteBuilder", "View in Site Builder");
    SG_PopUp_GoToURL = item("SG_PopUp_GoToURL", "Go To Sites URL");

    connect(SiteGrid, &QTreeWidget::itemSelectionChanged, this, &TSitesPage::onSelectionChanged);
    connect(SiteGrid, &QTreeWidget::itemDoubleClicked, this, &TSitesPage::AppSiteGoUrlBtnClick);
    connect(SiteGrid, &QWidget::customContextMenuRequested, this, &TSitesPage::onContextMenu);
    connect(UseGridLinesChk, &QCheckBox::clicked, this, [this](bool checked) { model_.setUseGridLines(checked); });
    connect(DoPostCheckBox, &QCheckBox::clicked, this, &TSitesPage::DoPostCheckBoxClick);
    connect(SubmitNewRadio, &QRadioButton::clicked, this, &TSitesPage::SubmitRadioClick);
    connect(SubmitUpdateRadio, &QRadioButton::clicked, this, &TSitesPage::SubmitRadioClick);
    connect(CatCombo1, &QComboBox::activated, this, &TSitesPage::CatCombo1Change);
    connect(CatCombo2, &QComboBox::activated, this, &TSitesPage::CatCombo2Change);
    connect(SiteGridUpBtn, &QToolButton::clicked, this, &TSitesPage::SiteGridUpBtnClick);
    connect(SiteGridDownBtn, &QToolButton::clicked, this, &TSitesPage::SiteGridDownBtnClick);
    connect(AllToNewBtn, &QPushButton::clicked, this, &TSitesPage::AllToNewBtnClick);
    connect(AllToUpdateBtn, &QPushButton::clicked, this, &TSitesPage::AllToUpdateBtnClick);
    connect(AllToPostBtn, &QPushButton::clicked, this, &TSitesPage::AllToPostBtnClick);
    connect(AllToNoPostBtn, &QPushButton::clicked, this, &TSitesPage::AllToNoPostBtnClick);
    connect(AppSiteGoUrlBtn, &QPushButton::clicked, this, &TSitesPage::AppSiteGoUrlBtnClick);
    connect(AppSiteChangeBtn, &QPushButton::clicked, this, &TSitesPage::AppSiteChangeBtnClick);
    connect(SG_PopUp_ToPost, &QAction::triggered, this, &TSitesPage::SG_PopUp_ToPostClick);
    connect(SG_PopUp_AsPost, &QAction::triggered, this, &TSitesPage::SG_PopUp_AsPostClick);
    connect(SG_PopUp_ChangePostDate, &QAction::triggered, this, &TSitesPage::SG_PopUp_ChangePostDateClick);
    connect(SG_PopUp_GoToSiteBuilder, &QAction::triggered, this, &TSitesPage::SG_PopUp_GoToSiteBuilderClick);
    connect(SG_PopUp_GoToURL, &QAction::triggered, this, &TSitesPage::SG_PopUp_GoToURLClick);
}

// --- Rows

int TSitesPage::rowCount() const {
    return SiteGrid->topLevelItemCount();
}

QString TSitesPage::cell(int row, int column) const {
    const QTreeWidgetItem* item = SiteGrid->topLevelItem(row);
    return item ? item->text(column) : QString();
}

void TSitesPage::setCell(int row, int column, const QString& text) {
    if (QTreeWidgetItem* item = SiteGrid->topLevelItem(row))
        item->setText(column, text);
}

SiteRow TSitesPage::siteRow(int row) const {
    SiteRow result;
    if (const QTreeWidgetItem* item = SiteGrid->topLevelItem(row))
        for (int c = 0; c < ColumnCount; ++c)
            result.setCell(c, item->text(c));
    return result;
}

QList<SiteRow> TSitesPage::siteRows() const {
    QList<SiteRow> rows;
    rows.reserve(rowCount());
    for (int i = 0; i < rowCount(); ++i)
        rows.append(siteRow(i));
    return rows;
}

QTreeWidgetItem* TSitesPage::selectedItem() const {
    QTreeWidgetItem* item = SiteGrid->currentItem();
    return item && item->isSelected() ? item : nullptr;
}

int TSitesPage::selectedRow() const {
    QTreeWidgetItem* item = selectedItem();
    return item ? SiteGrid->indexOfTopLevelItem(item) : -1;
}

void TSitesPage::selectRow(int row) {
    QTreeWidgetItem* item = SiteGrid->topLevelItem(row);
    if (!item)
        return;
    SiteGrid->setCurrentItem(item);
    item->setSelected(true);
    SiteGrid->scrollToItem(item);
}

void TSitesPage::setGridLines(bool on) {
    gridLineDelegate_->lines = on;
    SiteGrid->viewport()->update();
}

bool TSitesPage::gridLines() const {
    return gridLineDelegate_->lines;
}

QString TSitesPage::appPlatform() const {
    return model_.expanderSource() ? model_.expanderSource()->appField(AppField::Platform) : QString();
}

QString TSitesPage::appStatus() const {
    return model_.expanderSource() ? model_.expanderSource()->appField(AppField::Status) : QString();
}

QString TSitesPage::shownApp() const {
    return model_.appName();
}

// --- Building and saving

void TSitesPage::BuildSiteGrid() {
    model_.GridBuilding = true;
    SiteGrid->clear();

    const QString app = shownApp();
    QList<SiteRow> rows;
    if (model_.GWide.EngBuild) {
        const TEngBuild& engines = *model_.GWide.EngBuild;
        // Without an application there is no selection file to merge or write.
        const QList<SavedLine> saved =
            app.isEmpty() ? QList<SavedLine>() : readSelection(selectionPath(model_.GWide.DataDir, app));
        rows = buildRows(
            engines.EngineList(), [&engines](const QString& site) { return engines.settingsPath(site); }, saved,
            appPlatform(), appStatus());
    }
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const SiteRow& row : rows)
        items.append(newItem(row));
    SiteGrid->addTopLevelItems(items);

    // A selection file that cannot be written is reported, but the page is
    // still finished, so that later row selections show their row.
    std::exception_ptr saveError;
    try {
        SaveSiteSelection(app);
    } catch (...) {
        saveError = std::current_exception();
    }

    SiteGridCountLbl->setText(QString::number(rowCount()));
    if (rowCount() > 0) {
        selectRow(0);
        ShowSiteRow();
    }
    model_.GridBuilding = false;
    CountSitesToPost(false);
    if (saveError)
        std::rethrow_exception(saveError);
}

void TSitesPage::enginesChanged() {
    if (!model_.SiteSelectionChanged)
        return BuildSiteGrid();
    if (!model_.GWide.EngBuild)
        return;
    const TEngBuild& engines = *model_.GWide.EngBuild;
    const QString selected = selectedRow() >= 0 ? cell(selectedRow(), SiteCol) : QString();
    const QList<SiteRow> rows = buildRows(
        engines.EngineList(), [&engines](const QString& site) { return engines.settingsPath(site); },
        savedLines(siteRows()), appPlatform(), appStatus());
    model_.GridBuilding = true;
    {
        SiteGrid->clear();
        QList<QTreeWidgetItem*> items;
        items.reserve(rows.size());
        for (const SiteRow& row : rows)
            items.append(newItem(row));
        SiteGrid->addTopLevelItems(items);
        SiteGridCountLbl->setText(QString::number(rowCount()));
        int keep = 0;
        for (int i = 0; i < rows.size(); ++i)
            if (rows[i].site == selected)
                keep = i;
        if (rowCount() > 0) {
            selectRow(keep);
            ShowSiteRow();
        }
    }
    model_.GridBuilding = false;
    CountSitesToPost(false);
}

void TSitesPage::appSaved() {
    if (rowCount() == 0)
        BuildSiteGrid();
}

void TSitesPage::SaveSiteSelection() {
    SaveSiteSelection(shownApp());
}

void TSitesPage::SaveSiteSelection(const QString& appName) {
    if (rowCount() == 0 || appName.isEmpty())
        return;
    writeSelection(selectionPath(model_.GWide.DataDir, appName), siteRows());
    model_.SiteSelectionChanged = false;
}

bool TSitesPage::IsSiteCompatible(int row) const {
    return selection::IsSiteCompatible(cell(row, TypeCol), appPlatform(), appStatus());
}

bool TSitesPage::CountSitesToPost(bool verify) {
    const Tally result = tally(siteRows(), appPlatform(), appStatus(), verify);
    Stats = result.stats;
    if (verify && result.unsetCategoryRow >= 0) {
        model_.dialogs().beep();
        model_.dialogs().errorMessage(QStringLiteral(
            "You have a site set to post against that needs a category set. Please set before posting!"));
        model_.requestPage(Workspace::Page::Sites);
        selectRow(result.unsetCategoryRow);
        return false;
    }
    if (verify && Stats.TotalToPost == 0) {
        model_.dialogs().beep();
        model_.dialogs().errorMessage(QStringLiteral("You do not have any sites set to post!"));
        model_.requestPage(Workspace::Page::Sites);
        selectRow(0);
        return false;
    }
    if (verify && !(VerifySubmission && VerifySubmission(Stats)))
        return false;
    if (TallyShown)
        TallyShown(Stats.TotalToPost);
    TotalToPostLbl->setText(QString::number(Stats.TotalToPost));
    return true;
}

QString TSitesPage::submittingRowCategory(int which) const {
    const QTreeWidgetItem* row = SiteGrid->currentItem();
    return row ? row->text(which == 1 ? Category1Col : Category2Col) : QString();
}

// --- Showing the selected row

void TSitesPage::onSelectionChanged() {
    if (!model_.GridBuilding)
        ShowSiteRow();
}

void TSitesPage::showCategory(const QString& site, const QString& cell, int which, QLabel* label, QComboBox* box) {
    if (cell == NotApplicable || !model_.GWide.EngBuild)
        return;
    if (!platform::text::readLinesIfExists(model_.GWide.EngBuild->categoryPath(site, which), model_.CategoryLines))
        return;
    for (const QString& line : std::as_const(model_.CategoryLines))
        box->addItem(TEngBuild::CategoryLabel(line));
    const int found = box->findText(cell, Qt::MatchExactly | Qt::MatchCaseSensitive);
    box->setCurrentIndex(found >= 0 ? found : 0);
    label->setEnabled(true);
    box->setEnabled(true);
    setBoxColour(box, White);
}

void TSitesPage::ShowSiteRow() {
    const int row = selectedRow();
    if (row < 0)
        return;
    try {
        const SiteRow r = siteRow(row);
        (r.submit != New ? SubmitUpdateRadio : SubmitNewRadio)->setChecked(true);
        for (QComboBox* box : {CatCombo1, CatCombo2}) {
            box->clear();
            box->setEnabled(false);
            setBoxColour(box, Grey);
        }
        Cat1Label->setEnabled(false);
        Cat2Label->setEnabled(false);
        showCategory(r.site, r.category1, 1, Cat1Label, CatCombo1);
        showCategory(r.site, r.category2, 2, Cat2Label, CatCombo2);
        DoPostCheckBox->setChecked(r.post == Yes);
    } catch (...) {
        // A row that cannot be shown leaves the controls as far as they got.
    }
}

// --- User actions

void TSitesPage::SiteGridUpBtnClick() {
    const int row = selectedRow();
    if (row < 0)
        return;
    selectRow(row == 0 ? rowCount() - 1 : row - 1);
}

void TSitesPage::SiteGridDownBtnClick() {
    const int row = selectedRow();
    if (row < 0)
        return;
    selectRow(row + 1 >= rowCount() ? 0 : row + 1);
}

void TSitesPage::SubmitRadioClick() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const QString submit = SubmitNewRadio->isChecked() ? New : Update;
    // A changed submit type is an unsaved edit like any other, so closing
    // the program offers to save it.
    if (cell(row, SubmitCol) != submit) {
        setCell(row, SubmitCol, submit);
        model_.SiteSelectionChanged = true;
    }
    SiteGrid->setFocus();
}

void TSitesPage::categoryPicked(QComboBox* box, int column) {
    const int row = selectedRow();
    if (row < 0)
        return;
    if (!box->currentText().isEmpty())
        setCell(row, column, box->currentText());
    SiteGrid->setFocus();
    model_.SiteSelectionChanged = true;
}

void TSitesPage::CatCombo1Change() {
    categoryPicked(CatCombo1, Category1Col);
}

void TSitesPage::CatCombo2Change() {
    categoryPicked(CatCombo2, Category2Col);
}

void TSitesPage::DoPostCheckBoxClick() {
    const int row = selectedRow();
    if (row < 0)
        return;
    if (DoPostCheckBox->isChecked() && !IsSiteCompatible(row)) {
        model_.dialogs().beep();
        model_.dialogs().errorMessage(QStringLiteral("Cannot change post to yes. Applications \"Platform\" or "
                                                    "\"Status\" is not compatable with engines settings!"));
        DoPostCheckBox->setChecked(false);
        CountSitesToPost(false);
        return;
    }
    setCell(row, PostCol, DoPostCheckBox->isChecked() ? Yes : No);
    CountSitesToPost(false);
    model_.SiteSelectionChanged = true;
    SiteGrid->setFocus();
}

bool TSitesPage::confirmAll(const QString& what) {
    if (rowCount() == 0)
        return false;
    model_.dialogs().beep();
    if (model_.dialogs().yesNo(QStringLiteral("Sure you want to change all to \"%1\"?").arg(what)) !=
        platform::Dialogs::Answer::Yes) {
        SiteGrid->setFocus();
        return false;
    }
    return true;
}

void TSitesPage::setAll(int column, const QString& text, bool compatibleOnly) {
    {
        platform::BusyCursor busy;
        const QString platform = appPlatform();
        const QString status = appStatus();
        for (int i = 0; i < rowCount(); ++i) {
            QTreeWidgetItem* item = SiteGrid->topLevelItem(i);
            if (!compatibleOnly || selection::IsSiteCompatible(item->text(TypeCol), platform, status))
                item->setText(column, text);
        }
        if (column == PostCol)
            CountSitesToPost(false);
    }
    model_.SiteSelectionChanged = true;
    SiteGrid->setFocus();
}

void TSitesPage::AllToNewBtnClick() {
    if (confirmAll(New))
        setAll(SubmitCol, New, false);
}

void TSitesPage::AllToUpdateBtnClick() {
    if (confirmAll(Update))
        setAll(SubmitCol, Update, false);
}

void TSitesPage::AllToPostBtnClick() {
    if (confirmAll(QStringLiteral("Post")))
        setAll(PostCol, Yes, true);
}

void TSitesPage::AllToNoPostBtnClick() {
    if (confirmAll(QStringLiteral("No Post")))
        setAll(PostCol, No, false);
}

void TSitesPage::AppSiteGoUrlBtnClick() {
    const int row = selectedRow();
    if (row < 0 || !model_.GWide.EngBuild)
        return;
    const QString url = readSiteUrl(model_.GWide.EngBuild->settingsPath(cell(row, SiteCol)));
    if (url.isEmpty()) {
        model_.dialogs().beep();
        model_.dialogs().message(QStringLiteral("No URL defined for this site!"));
        return;
    }
    model_.dialogs().openUrl(url);
}

void TSitesPage::AppSiteChangeBtnClick() {
    if (rowCount() == 0)
        return;
    platform::BusyCursor busy;
    SaveSiteSelection();
}

// --- Popup menu

void TSitesPage::onContextMenu(const QPoint& pos) {
    SiteGridPopupMenuPopup();
    SiteGridPopupMenu->popup(SiteGrid->viewport()->mapToGlobal(pos));
}

void TSitesPage::SiteGridPopupMenuPopup() {
    const int row = selectedRow();
    if (row < 0)
        return;
    SG_PopUp_AsPost->setText(cell(row, SubmitCol) != New ? QStringLiteral("Set as Post NEW")
                                                         : QStringLiteral("Set as Post UPDATE"));
    SG_PopUp_ToPost->setText(cell(row, PostCol) != Yes ? QStringLiteral("Set Post To YES")
                                                       : QStringLiteral("Set Post To NO"));
    SG_PopUp_ChangePostDate->setText(cell(row, LastPostCol) != Unknown ? QStringLiteral("Set Last Post Date To Unknown")
                                                                       : QStringLiteral("Set Last Post Date To NOW"));
}

void TSitesPage::SG_PopUp_ToPostClick() {
    const int row = selectedRow();
    if (row < 0)
        return;
    platform::BusyCursor busy;
    DoPostCheckBox->setChecked(cell(row, PostCol) != Yes);
    DoPostCheckBoxClick();
    model_.SiteSelectionChanged = true;
    CountSitesToPost(false);
}

void TSitesPage::SG_PopUp_AsPostClick() {
    const int row = selectedRow();
    if (row < 0)
        return;
    (cell(row, SubmitCol) != New ? SubmitNewRadio : SubmitUpdateRadio)->setChecked(true);
    SubmitRadioClick();
    model_.SiteSelectionChanged = true;
}

void TSitesPage::SG_PopUp_ChangePostDateClick() {
    const int row = selectedRow();
    if (row < 0)
        return;
    setCell(row, LastPostCol,
            cell(row, LastPostCol) != Unknown ? Unknown : platform::shortDate(model_.clock().now().date()));
    model_.SiteSelectionChanged = true;
    SiteGrid->setFocus();
}

void TSitesPage::SG_PopUp_GoToSiteBuilderClick() {
    const int row = selectedRow();
    if (row < 0 || !model_.GWide.EngBuild)
        return;
    try {
        model_.requestPage(Workspace::Page::SiteBuilder);
        model_.requestEngine(cell(row, SiteCol));
    } catch (...) {
        // The engine stays as the Site Builder had it.
    }
}

void TSitesPage::SG_PopUp_GoToURLClick() {
    AppSiteGoUrlBtnClick();
}
