#include "EmailPath.h"

#include "RunHost.h"
#include "TSMTPForm.h"
#include "TSetupDlg.h"
#include "engines/EngineFiles.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "model/Services.h"
#include "platform/TextHelpers.h"

#include <QComboBox>
#include <QLineEdit>

#include <exception>

const QString TEmailPath::FooterLine1 =
    QStringLiteral("This shareware submission was auto-submitted by Postrix, a Vantorel product.");
const QString TEmailPath::FooterLine2Start = QStringLiteral("For information about Postrix software, please visit ");

TEmailPath::TEmailPath(RunHost& host, QWidget* dialogParent) : host_(host), dialogParent_(dialogParent) {}

TEmailPath::~TEmailPath() {
    delete setupDlg_.data();
}

TSetupDlg& TEmailPath::setupDlg() {
    if (!setupDlg_) {
        setupDlg_ = new TSetupDlg(dialogParent_);
        setupDlg_->setSetup(setup_);
    }
    return *setupDlg_;
}

void TEmailPath::setMailSetup(const QString& server, const QString& address, const QString& name) {
    setup_ = {server, address, name};
    setupDlg().setSetup(setup_);
}

MailSetup TEmailPath::mailSetup() const {
    return setup_;
}

QString TEmailPath::fieldText(const char* objectName) const {
    return host_.fieldText(QLatin1String(objectName));
}

QString TEmailPath::subjectFor(bool isNew) {
    const SiteEngine& engine = host_.engines().Engine;
    QString chosen = isNew || engine.emailSubjectUpdate.isEmpty() ? engine.emailSubject : engine.emailSubjectUpdate;
    TrimLeadingSpaces(chosen);
    if (chosen.isEmpty())
        return QStringLiteral("Submission");
    try {
        TEngBuild& engines = host_.engines();
        const QString expanded = engines.ExpandVariables(chosen, true);
        return engines.ExpandFailed ? chosen : expanded;
    } catch (const std::exception&) {
        return chosen;
    }
}

bool TEmailPath::prepare(bool isNew, int row, bool isCopy, const QString& site, const QString& contact) {
    TEngBuild& engines = host_.engines();
    const SiteEngine& engine = engines.Engine;
    TSMTPForm& form = *form_;

    form.ToEdit = isCopy ? contact : isNew ? engine.emailToName : engine.emailToNameUpdate;
    form.SubjectEdit = subjectFor(isNew);
    if (isCopy)
        form.SubjectEdit += QStringLiteral(" (") + host_.rowSite(row) + QLatin1Char(')');

    form.msSMTP1.setServer(setup_.server);
    form.msMessage1.fromAddress = setup_.address.left(TSMTPForm::MaxHeaderLength);
    form.msMessage1.fromName = setup_.name.left(TSMTPForm::MaxHeaderLength);
    form.msMessage1.date = host_.clock().now();

    host_.setMailStatus(isCopy ? QStringLiteral("Preparing Mail Copy To: ") + contact
                               : QStringLiteral("Preparing Mail"));

    form.BodyMemo.clear();
    const QString& script = isNew ? engine.emailNewScript : engine.emailUpdateScript;
    QString trimmed = script;
    TrimLeadingSpaces(trimmed);
    if (trimmed.isEmpty()) {
        host_.AddLogLine(QStringLiteral("No Engine Script For EMAIL Post For: ") + site);
        host_.AddLogLine(QStringLiteral("Unable to post EMAIL to: ") + site);
        host_.AddLogLine(site + QStringLiteral(" EMail ERROR!!!"));
        return false;
    }
    const QString body = engines.ExpandVariables(trimmed, true);
    form.BodyMemo = platform::text::splitLines(engines.ExpandFailed ? script : body);

    if (!isCopy) {
        for (int i = 0; i < 4; ++i)
            form.BodyMemo << QString();
        form.BodyMemo << FooterLine1 << FooterLine2Start + Services::load(host_.programDir()).ProductHomePage;
    }

    QStringList& files = form.msMessage1.attachments;
    files.clear();
    auto attach = [&files](bool wanted, const QString& path) {
        if (wanted && !path.isEmpty())
            files << path;
    };
    attach(engine.emailAttachApplication && !isCopy, fieldText("localpath"));
    attach(engine.emailAttachGif, fieldText("GifFileEdit"));
    attach(engine.emailAttachIco, fieldText("IcoFileEdit"));
    attach(engine.emailAttachScreen, fieldText("ScreenShotEdit"));
    attach(engine.emailAttachOther, fieldText("OtherFileEdit"));

    host_.setMailStatus(isCopy ? QStringLiteral("Sending Mail Copy...") : QStringLiteral("Sending Mail..."));
    return true;
}

bool TEmailPath::SubmitByEmail(bool isNew, int row, bool isCopy) {
    host_.setMailStatus(QStringLiteral("Preparing Email"));
    try {
        form_ = std::make_unique<TSMTPForm>(host_, host_.programDir());
    } catch (const std::exception&) {
        form_.reset();
        return false;
    }
    struct FreeForm {
        std::unique_ptr<TSMTPForm>& form;
        ~FreeForm() { form.reset(); }
    } freeForm{form_};

    const QString site = host_.currentSiteName();
    host_.setMailStatus(QStringLiteral("Preparing to mail to: ") + site);
    if (setup_.server.isEmpty()) {
        TSetupDlg& dlg = setupDlg();
        dlg.setSetup(setup_);
        host_.dialogs().runModal(dlg);
        setup_ = dlg.Setup();
    }

    const QString contact = fieldText("conmail");
    try {
        if (!prepare(isNew, row, isCopy, site, contact))
            return false;
    } catch (const std::exception&) {
        return false;
    }
    if (host_.SkipRequested())
        return false;

    bool sent = false;
    try {
        sent = form_->SendButtonClick();
    } catch (const std::exception&) {
        return false;
    }
    if (!sent) {
        host_.setMailStatus(QStringLiteral("Mail Send Error"));
        host_.AddLogLine((isCopy ? contact : site) + QStringLiteral(" EMail ERROR!!!"));
        return false;
    }
    if (isCopy) {
        host_.setMailStatus(QStringLiteral("Mail Copy Sent"));
        host_.AddLogLine(contact + QStringLiteral(" E-Mailed Copy."));
    } else {
        host_.setMailStatus(QStringLiteral("Mail Sent"));
        host_.AddLogLine(site + QStringLiteral(" E-Mailed Information."));
    }
    return true;
}

void TEmailPath::cancel() {
    if (form_)
        form_->msSMTP1.cancel();
}

bool TEmailPath::sending() const {
    return form_ != nullptr;
}
