#include "SubmitPage.h"

#include "shell/TMainFrm.h"

TSubmitPage::TSubmitPage(TMainFrm& main, QWidget* parent) : QWidget(parent), main_(main)
{
    setObjectName(QStringLiteral("SubmitSheet"));
}
