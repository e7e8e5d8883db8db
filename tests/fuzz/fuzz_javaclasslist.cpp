// The class list loader: any file decodes and splits into class blocks, and the chooser's
// names, the lookup and the member filter agree with the blocks and with a plain filter.

#include "FuzzCheck.h"

#include "common/Helpers.h"
#include "editor/TextFile.h"
#include "javahelp/JavaClassList.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QString filter = ConsumeText(input, 8);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const DecodedText decoded = TextFile::Decode(QByteArray(rest.data(), qsizetype(rest.size())));
    const JavaClassList list = JavaClassList::fromText(decoded.text);

    const QStringList &names = list.shortNames();
    FUZZ_CHECK(list.entries().size() <= names.size());
    for (const QString &name : names)
        FUZZ_CHECK(!name.contains(u'.') && !name.contains(u'\n'));

    // The chooser lists the same names, sorted.
    QStringList sorted = list.sortedShortNames();
    FUZZ_CHECK(sorted.size() == names.size());
    for (qsizetype i = 1; i < sorted.size(); ++i)
        FUZZ_CHECK(sorted[i - 1].compare(sorted[i], Qt::CaseInsensitive) <= 0);
    QStringList a = sorted;
    QStringList b = names;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    FUZZ_CHECK(a == b);

    const QString upperFilter = UpperCaseChars(TrimBlanksAndControls(filter));
    for (const JavaClassEntry &entry : list.entries()) {
        FUZZ_CHECK(entry.fullName.endsWith(entry.shortName));
        FUZZ_CHECK(!TrimBlanksAndControls(entry.fullName).isEmpty());
        const JavaClassEntry *found = list.find(entry.shortName);
        FUZZ_CHECK(found && found->shortName == entry.shortName);
        FUZZ_CHECK(found <= &entry);
        for (const QString &member : entry.members)
            FUZZ_CHECK(member != QStringLiteral("xxxx") && !member.contains(u'\n'));

        // The filter as described: "." and the filter somewhere in the upper-cased line.
        QString shown;
        for (const QString &member : entry.members) {
            const bool passes =
                UpperCaseChars(member).contains(u'.' + upperFilter) || upperFilter.isEmpty();
            FUZZ_CHECK(JavaClassList::memberMatches(member, upperFilter) == passes);
            if (passes)
                shown += member + u'\n';
        }
        FUZZ_CHECK(JavaClassList::displayText(entry, filter) ==
                   entry.shortName + u'\n' + entry.fullName + QStringLiteral("\n\n") + shown);
    }
    return 0;
}
