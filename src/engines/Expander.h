#pragma once

#include "engines/EngineFiles.h"
#include "engines/ExpanderSource.h"

#include <QList>
#include <QString>

// One script variable as the variable list shows it: the name with its
// percent signs ("%COMPNAME%") and its text ("Company Name").
struct ScriptVariable {
    QString variable;
    QString listText;
};

// Every variable the expander knows, in the order of the variable list.
const QList<ScriptVariable>& scriptVariables();
