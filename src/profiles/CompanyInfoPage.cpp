#include "CompanyInfoPage.h"

#include "FieldFilter.h"
#include "NameEntry.h"
#include "PageSupport.h"
#include "ProfileRules.h"
#include "platform/FileOps.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "model/Workspace.h"
#include "platform/Cursor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString Section = QStringLiteral("COMPANY");

constexpr int LabelX = 8, LabelWidth = 150, FieldX = 160, FieldWidth = 280, RowHeight = 22, RowPitch = 27;

} // namespace

TCompanyInfoPage::TCompanyInfoPage(Workspace& main, QWidget* parent) : QWidget(parent), model_(main) {
    setObjectName(QStringLiteral("CompanyInfoSheet"));
    using profiles::FieldFilter;
    using profiles::TypedKeys;

    auto* label = new QLabel(QStringLiteral("Company Name"), this);
    label->setObjectName(QStringLiteral("compnameLbl"));
    label->setGeometry(LabelX, 10, LabelWidth, RowHeight);
    compname = new QComboBox(this);
    compname->setObjectName(QStringLiteral("compname"));
    compname->setGeometry(FieldX, 10, FieldWidth, RowHeight);
    compname->setToolTip(QStringLiteral("Click on the New Company button to create a new company profile."));
    FieldFilter::install(compname, TypedKeys::None, model_.dialogs());
    connect(compname, &QComboBox::currentIndexChanged, this, [this] {
        if (!selecting_)
            profiles::runHandler(model_.dialogs(), [this] { compnameChange(); });
    });

    conname = addField("conname", "CONTACT", "Contact Name");
    contitle = addField("contitle", "CTITLE", "Contact Title");
    conmail = addField("conmail", "CEMAIL", "Contact E-Mail");
    conphone = addField("conphone", "CPHONE", "Contact Phone");
    confax = addField("confax", "CFAX", "Contact Fax");
    conaddr = addField("conaddr", "CADDR", "Contact Address");
    concity = addField("concity", "CCITY", "Contact City");
    constate = addField("constate", "CSTATE", "Contact State/Province");
    conzip = addField("conzip", "CZIP", "Contact Postal (Zip)");
    concountry = addField("concountry", "CCOUNTRY", "Contact Country");
    concountry->setToolTip(QStringLiteral("The two-letter identifier of the country, such as US or DE."));
    pubpage = addField("pubpage", "CURL", "Company Home Page");
    pubmail = addField("pubmail", "CCMAIL", "Company E-Mail");
    FieldFilter::install(pubpage, TypedKeys::NoSpace, model_.dialogs());
    FieldFilter::install(pubmail, TypedKeys::NoSpace, model_.dialogs());

    auto button = [this](const char* name, const char* caption, int y, void (TCompanyInfoPage::*handler)()) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(456, y, 124, 26);
        if (handler)
            connect(b, &QPushButton::clicked, this, [this, handler] {
                profiles::runHandler(model_.dialogs(), [this, handler] { (this->*handler)(); });
            });
        return b;
    };
    NewCompanyBtn = button("NewCompanyBtn", "New Company", 9, &TCompanyInfoPage::NewCompany);
    DeleteCompanyBtn = button("DeleteCompanyBtn", "Delete Company", 41, &TCompanyInfoPage::DeleteCompany);
    SaveCompanyBtn = button("SaveCompanyBtn", "Save Company", 73, &TCompanyInfoPage::SaveCompany);
    BHSIDBtn = button("BHSIDBtn", "BHS ID#", 145, nullptr);
}

QLineEdit* TCompanyInfoPage::addField(const char* name, const char* key, const char* caption) {
    const int y = 10 + RowPitch * (static_cast<int>(fields_.size()) + 1);
    auto* label = new QLabel(QString::fromUtf8(caption), this);
    label->setObjectName(QLatin1String(name) + QStringLiteral("Lbl"));
    label->setGeometry(LabelX, y, LabelWidth, RowHeight);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(FieldX, y, FieldWidth, RowHeight);
    label->setBuddy(edit);
    // Loading a profile changes the texts too, and counts as an edit.
    connect(edit, &QLineEdit::textChanged, this, [this] { model_.CompanySaved = false; });
    fields_.append({QLatin1String(key), edit});
    return edit;
}

QString TCompanyInfoPage::companyName() const {
    return compname->currentText();
}

QString TCompanyInfoPage::profilePath(const QString& company) const {
    return model_.GWide.CompaniesDir + company + QStringLiteral(".dat");
}

QStringList TCompanyInfoPage::companyList() const {
    QStringList names;
    for (int i = 0; i < compname->count(); ++i)
        names << compname->itemText(i);
    return names;
}

void TCompanyInfoPage::selectCompany(int index) {
    const profiles::FlagScope programmatic(selecting_);
    compname->setCurrentIndex(index);
}

QList<QPair<QString, QString>> TCompanyInfoPage::profileValues() const {
    QList<QPair<QString, QString>> values{{QStringLiteral("CONAME"), companyName()},
                                          {QStringLiteral("BHSID"), model_.BHSID}};
    for (const auto& [key, edit] : fields_)
        values.append({key, edit->text()});
    return values;
}

void TCompanyInfoPage::LoadCompanyList() {
    QStringList sorted;
    for (const QString& name : platform::text::readLines(model_.GWide.companiesFile()))
        if (!name.isEmpty())
            sorted.insert(profiles::sortedPosition(sorted, name), name);
    {
        const profiles::FlagScope programmatic(selecting_);
        compname->clear();
        compname->addItems(sorted);
    }
    if (compname->count() > 0) {
        selectCompany(0);
        LoadCompany();
    }
    shownIndex_ = compname->currentIndex();
}

void TCompanyInfoPage::LoadCompany() {
    if (model_.Loading)
        return;
    const platform::BusyCursor busy;
    const QString path = profilePath(companyName());
    if (companyName().isEmpty() || !platform::files::fileExists(path))
        return;
    const platform::IniFile profile(path);
    // The name shown stays the list's entry: "CONAME" only repeats it.
    model_.BHSID = profile.readString(Section, QStringLiteral("BHSID"));
    for (const auto& [key, edit] : fields_)
        edit->setText(profile.readString(Section, key));
}

void TCompanyInfoPage::SaveCompany() {
    const QString name = companyName();
    if (name.isEmpty())
        return;
    const platform::BusyCursor busy;
    const QString path = profilePath(name);
    profiles::ensureWritableName(name, path);
    platform::IniFile profile(path);
    for (const auto& [key, value] : profileValues())
        profile.writeString(Section, key, value);
    profile.updateFile();
    model_.CompanySaved = true;
}

void TCompanyInfoPage::NewCompany() {
    const QString name =
        profiles::askNewName(model_.dialogs(), window(), QStringLiteral("New Company Name"), [this](const QString& entered) {
            if (companyList().contains(entered)) {
                model_.dialogs().errorDialog(QStringLiteral("COMPANY NAME DUPLICATE"),
                                      QStringLiteral("The company name you entered is already on the list!"),
                                      QString());
                return false;
            }
            return profiles::fileNameAccepted(model_.dialogs(), QStringLiteral("COMPANY NAME INVALID"), entered);
        });
    if (name.isEmpty() || !appEditsSettled())
        return;

    {
        const profiles::FlagScope loading(model_.Loading);
        // The list file first: when it cannot be written, the list stays as it was.
        QStringList names = companyList();
        const int position = profiles::sortedPosition(names, name);
        names.insert(position, name);
        platform::text::writeLines(model_.GWide.companiesFile(), names);
        {
            const profiles::FlagScope programmatic(selecting_);
            compname->insertItem(position, name);
        }
        model_.CompanySaved = false;
        selectCompany(compname->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive));
        ClearCompanyFields();
    }
    SaveCompany();
    afterCompanyChanged();
}

void TCompanyInfoPage::DeleteCompany() {
    const QString name = companyName();
    if (name.isEmpty())
        return;
    model_.dialogs().beep();
    if (model_.dialogs().yesNo(QStringLiteral("Delete This Company ?")) != platform::Dialogs::Answer::Yes)
        return;
    if (!appEditsSettled())
        return;

    const platform::BusyCursor busy;
    QStringList names = companyList();
    const int index = names.indexOf(name);
    if (index >= 0)
        names.removeAt(index);
    platform::text::writeLines(model_.GWide.companiesFile(), names);
    {
        const profiles::FlagScope programmatic(selecting_);
        compname->removeItem(index);
    }
    if (compname->count() > 0) {
        selectCompany(0);
        LoadCompany();
    } else {
        // No company left: nothing is shown, so there is nothing to save.
        selectCompany(-1);
        ClearCompanyFields();
        model_.CompanySaved = true;
    }
    afterCompanyChanged();
}

void TCompanyInfoPage::ClearCompanyFields() {
    for (const auto& field : fields_)
        field.second->clear();
    model_.BHSID.clear();
}

void TCompanyInfoPage::compnameChange() {
    const int wanted = compname->currentIndex();
    if (!model_.Loading && shownIndex_ >= 0 && shownIndex_ != wanted) {
        // The question is about the company still shown: saving the
        // application then stores that company's profile with it.
        selectCompany(shownIndex_);
        if (!appEditsSettled())
            return; // cancelled: the company shown stays, with its application
        selectCompany(wanted);
    }
    LoadCompany();
    if (!model_.Loading)
        afterCompanyChanged();
}

bool TCompanyInfoPage::appEditsSettled() const {
    return !SettleAppEdits || SettleAppEdits();
}

void TCompanyInfoPage::afterCompanyChanged() {
    shownIndex_ = compname->currentIndex();
    emit model_.companyShown(companyName());
}
