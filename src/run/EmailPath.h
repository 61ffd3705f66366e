#pragma once

#include "MailSetup.h"

#include <QPointer>
#include <QString>

#include <memory>

class QWidget;
class RunHost;
class TSetupDlg;
class TSMTPForm;

// The e-mail submission of one site and the copy to the company contact.
class TEmailPath final {
public:
    // dialogParent: the window the mail setup dialog belongs to.
    TEmailPath(RunHost& host, QWidget* dialogParent);
    ~TEmailPath();
    TEmailPath(const TEmailPath&) = delete;
    TEmailPath& operator=(const TEmailPath&) = delete;

    // Filled at every run start from the settings (server, sender address, sender name).
    void setMailSetup(const QString& server, const QString& address, const QString& name);
    MailSetup mailSetup() const;

    // Sends the site's message (isCopy false) or its copy to the company
    // contact; true when the server accepted it.
    bool SubmitByEmail(bool isNew, int row, bool isCopy);
    // Skip: cancels a message being prepared or sent.
    void cancel();
    bool sending() const;

    // The mail setup dialog, made when first needed (the main window must exist by then).
    TSetupDlg& setupDlg();

    static const QString FooterLine1;
    static const QString FooterLine2Start;

private:
    QString subjectFor(bool isNew);
    QString fieldText(const char* objectName) const;
    // Prepares the message in form_; false after an empty script (its lines logged).
    bool prepare(bool isNew, int row, bool isCopy, const QString& site, const QString& contact);

    RunHost& host_;
    QWidget* dialogParent_;
    // A child of the main window, which may free it first at the end.
    QPointer<TSetupDlg> setupDlg_;
    MailSetup setup_;
    std::unique_ptr<TSMTPForm> form_;
};
