// Feeds arbitrary texts and profile values to the variable expander in both
// modes and checks what every caller relies on: a failure returns the input
// unchanged, a success leaves no percent sign and stays within the bound.
#include "engines/Expander.h"

#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

#include <cstddef>
#include <cstdint>

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

class FuzzSource final : public ExpanderSource {
public:
    QStringList values; // the input's parts after the text
    bool flags = true;

    QString part(int i) const { return values.isEmpty() ? QString() : values[i % values.size()]; }

    QString companyField(CompanyField field) const override { return part(int(field) + 3); }
    QString appField(AppField field) const override { return part(int(field)); }
    QString engineSiteName() const override { return part(5); }
    ByteFormat engineByteFormat() const override { return ByteFormat(part(1).size() % 3); }
    bool engineUsesCategory(int which) const override { return flags || which == 1; }
    QStringList engineCategoryLines(int which) const override {
        return part(which + 1).split(u'\n', Qt::SkipEmptyParts);
    }
    QString fieldTranslation(Translation translation) const override { return part(int(translation) + 2); }
    QString selectedCategoryLabel(int which) const override { return part(which + 6); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::ScriptedDialogs dialogs;
    static platform::FixedClock clock(QDateTime(QDate(2026, 3, 4), QTime(9, 5, 7)));
    static FuzzSource source;
    static TEngBuild eb(TEngBuild::Folders{}, dialogs, clock, &source);

    // Parts are separated by NUL bytes: the text first, then the values.
    const QString all = QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList parts = all.split(QChar(0));
    const QString text = parts.takeFirst();
    source.values = parts;
    source.flags = size % 2 == 0;

    for (const bool forSubmission : {true, false}) {
        dialogs.clear();
        const QString result = eb.ExpandVariables(text, forSubmission);
        if (eb.ExpandFailed) {
            check(result == text);
        } else {
            check(eb.FailedVariable.isEmpty());
            check(!result.contains(u'%'));
            check(result.size() <= TEngBuild::MaxExpandedLength || result == text);
        }
    }
    return 0;
}
