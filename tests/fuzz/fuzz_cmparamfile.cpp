// The rule parameter list as a reader of outside values: a tree of named, typed parameters
// built at random (names of every case, values of every kind under a rule's names), read
// into colour rules, written out as text and used for a colouring pass. The text form has
// no reader in the program, so the check reads it back guided by the tree.

#include "FuzzCheck.h"

#include "../colormemo/GridView.h"

#include "colormemo/CMParamFile.h"
#include "colormemo/CMStringList.h"
#include "colormemo/ColorEngine.h"
#include "colormemo/ColorRule.h"
#include "colormemo/DrawRules.h"
#include "common/QuillError.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

const std::array<QString, 18> RuleNames = {
    QStringLiteral("KeyDrawingType"), QStringLiteral("Name"),        QStringLiteral("ZOrder"),
    QStringLiteral("MaxHeight"),      QStringLiteral("DefKeyColor"), QStringLiteral("KeySelColor"),
    QStringLiteral("KeyBrushColor"),  QStringLiteral("Keywords"),    QStringLiteral("KeyBegEndLst"),
    QStringLiteral("KeyLineEndLst"),  QStringLiteral("Enabled"),     QStringLiteral("KeyCase"),
    QStringLiteral("PartWord"),       QStringLiteral("Bold"),        QStringLiteral("Italic"),
    QStringLiteral("Underline"),      QStringLiteral("Ignore"),      QStringLiteral("x")};

const std::array<QString, 5> Kinds = {QStringLiteral("dtKeyShow"), QStringLiteral("dtEventDraw"),
                                      QStringLiteral("dtBeginEnd"),
                                      QStringLiteral("dtBeginLineEnd"), QStringLiteral("dtNone")};

// A name of a rule's parameters with its letters in any case, or any text.
QString ConsumeName(FuzzedDataProvider &input) {
    const uint8_t choice = input.ConsumeIntegral<uint8_t>();
    if (choice >= 240)
        return ConsumeText(input, 12);
    QString name = RuleNames[choice % RuleNames.size()];
    const uint32_t flips = input.ConsumeIntegral<uint32_t>();
    for (qsizetype i = 0; i < name.size() && i < 32; ++i) {
        if (flips & (1u << i))
            name[i] = name[i].isUpper() ? name[i].toLower() : name[i].toUpper();
    }
    return name;
}

QString ConsumeIdent(FuzzedDataProvider &input) {
    const uint8_t choice = input.ConsumeIntegral<uint8_t>();
    return choice < 200 ? Kinds[choice % Kinds.size()] : ConsumeText(input, 16);
}

// Lines as a rule's lists hold them: "if", "//", "/*;*/", with line breaks of every kind.
QString ConsumeString(FuzzedDataProvider &input) {
    return ConsumeText(input, 64);
}

// Reads the text form of a node back from `lines` at `at`, guided by the node, and checks
// that every value comes back.
void CheckTextForm(const TCMParamList &node, const QStringList &lines, qsizetype &at,
                   const QString &indent) {
    auto next = [&]() -> const QString & {
        FUZZ_CHECK(at < lines.size());
        return lines[at++];
    };
    if (typeid(node) == typeid(TCMParamList)) {
        FUZZ_CHECK(next() == indent + u'<');
        for (int i = 0; i < node.Count(); ++i)
            CheckTextForm(*node.Items(i), lines, at, indent + QStringLiteral("  "));
        FUZZ_CHECK(next() == indent + u'>');
        FUZZ_CHECK(next() == indent + u' ');
        return;
    }
    const QString head = indent + node.Name() + QStringLiteral(" = ");
    const QString &first = next();
    FUZZ_CHECK(first.startsWith(head));
    const QString value = first.mid(head.size());
    if (const auto *string = dynamic_cast<const TCMStringParam *>(&node)) {
        // One quoted part per line of the value, quotes doubled inside, aligned under the
        // first.
        QStringList read;
        QString quoted = value;
        for (;;) {
            FUZZ_CHECK(quoted.size() >= 2 && quoted.startsWith(u'\'') && quoted.endsWith(u'\''));
            QString line;
            for (qsizetype i = 1; i + 1 < quoted.size(); ++i) {
                line += quoted[i];
                if (quoted[i] == u'\'') {
                    FUZZ_CHECK(quoted[i + 1] == u'\'' && i + 2 < quoted.size());
                    ++i;
                }
            }
            read.append(line);
            if (at >= lines.size() || !lines[at].startsWith(QString(head.size(), u' ') + u'\''))
                break;
            quoted = lines[at++].mid(head.size());
        }
        const QStringList expected = SplitTextLines(string->Value());
        FUZZ_CHECK(read == (expected.isEmpty() ? QStringList{QString()} : expected));
    } else {
        FUZZ_CHECK(value == node.ValueText());
    }
}

// Reads a rule from the list and checks what it took over.
void CheckLoad(const TCMParamList &list, TColorRule &rule) {
    TCMParamList before;
    rule.SaveToParams(before);
    QStringList beforeText;
    before.SaveToStrings(beforeText, QString());
    const int zOrder = list.ReadInteger(QStringLiteral("ZOrder"), rule.ZOrder());
    const int maxHeight = list.ReadInteger(QStringLiteral("MaxHeight"), rule.KeyMaxHeight());
    const QString name = list.ReadString(QStringLiteral("Name"), rule.Name());
    try {
        rule.LoadFromParams(list);
    } catch (const QuillError &) {
        // Only a ZOrder outside a byte refuses the list, and then nothing changed.
        FUZZ_CHECK(zOrder < 0 || zOrder > 255);
        TCMParamList after;
        rule.SaveToParams(after);
        QStringList afterText;
        after.SaveToStrings(afterText, QString());
        FUZZ_CHECK(afterText == beforeText);
        return;
    }
    FUZZ_CHECK(zOrder >= 0 && zOrder <= 255 && rule.ZOrder() == zOrder);
    FUZZ_CHECK(rule.KeyMaxHeight() == maxHeight);
    FUZZ_CHECK(rule.Name() == name);
    if (const auto *keywords =
            dynamic_cast<const TCMStringParam *>(list.FindParam(QStringLiteral("KEYWORDS"))))
        FUZZ_CHECK(rule.Keywords() == SplitTextLines(keywords->Value()));

    // What a rule writes, a new rule reads back to the same rule.
    TCMParamList saved;
    rule.SaveToParams(saved);
    TColorRule copy;
    copy.LoadFromParams(saved);
    TCMParamList savedAgain;
    copy.SaveToParams(savedAgain);
    QStringList text;
    QStringList textAgain;
    saved.SaveToStrings(text, QString());
    savedAgain.SaveToStrings(textAgain, QString());
    FUZZ_CHECK(text == textAgain);
}

void CollectLists(TCMParamList &node, std::vector<TCMParamList *> &lists) {
    lists.push_back(&node);
    for (int i = 0; i < node.Count(); ++i) {
        TCMParamList &child = *node.Items(i);
        if (typeid(child) == typeid(TCMParamList))
            CollectLists(child, lists);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QString sample = ConsumeText(input, 300);
    TCMParamList root;
    std::vector<TCMParamList *> path{&root};
    for (int step = 0; step < 200 && input.remaining_bytes() > 0; ++step) {
        TCMParamList &node = *path.back();
        const int op = input.ConsumeIntegralInRange(0, 11);
        const QString name = ConsumeName(input);
        switch (op) {
        case 0:
            if (path.size() < 8)
                path.push_back(node.Add<TCMParamList>(name));
            break;
        case 1:
            if (path.size() > 1)
                path.pop_back();
            break;
        case 2: {
            const QString value = ConsumeIdent(input);
            node.WriteIdent(name, value);
            FUZZ_CHECK(node.ReadIdent(name, QString()) == value);
            break;
        }
        case 3: {
            const QString value = ConsumeString(input);
            node.WriteString(name, value);
            FUZZ_CHECK(node.ReadString(name, QString()) == value);
            break;
        }
        case 4: {
            const int value = input.ConsumeBool() ? input.ConsumeIntegralInRange(-2, 300)
                                                  : input.ConsumeIntegral<int>();
            node.WriteInteger(name, value);
            FUZZ_CHECK(node.ReadInteger(name, value ^ 1) == value);
            break;
        }
        case 5: {
            const bool value = input.ConsumeBool();
            node.WriteBool(name, value);
            FUZZ_CHECK(node.ReadBool(name, !value) == value);
            break;
        }
        case 6: // a second parameter of the same name, of any kind: the first one counts
            node.Add<TCMStringParam>(name)->SetValue(ConsumeString(input));
            break;
        case 7:
            node.Add<TCMIntegerParam>(name)->SetValue(input.ConsumeIntegral<int>());
            break;
        case 8:
            node.Add<TCMIdentifierParam>(name)->SetValue(ConsumeIdent(input));
            break;
        case 9:
            node.Add<TCMBoolParam>(name)->SetValue(input.ConsumeBool());
            break;
        case 10: {
            const int index = input.ConsumeIntegralInRange(-1, node.Count());
            const int count = node.Count();
            node.DeleteParam(index);
            FUZZ_CHECK(node.Count() == (index >= 0 && index < count ? count - 1 : count));
            break;
        }
        default:
            if (TCMParamList *found = node.FindParam(name))
                FUZZ_CHECK(TCMParamList::SameName(found->Name(), name));
            break;
        }
    }

    QStringList lines;
    root.SaveToStrings(lines, QStringLiteral("  "));
    qsizetype at = 0;
    CheckTextForm(root, lines, at, QStringLiteral("  "));
    FUZZ_CHECK(at == lines.size());

    // Every list read into a rule of one collection, which then colours a sample text.
    std::vector<TCMParamList *> lists;
    CollectLists(root, lists);
    TDrawRules rules;
    for (TCMParamList *list : lists)
        CheckLoad(*list, *rules.Add());
    TGridView view(sample, 6);
    TColorEngine engine;
    for (const bool fromCaretLine : {false, true}) {
        engine.Colorize(rules, view, fromCaretLine, nullptr, cmoCalcFullBegEnds,
                        TColorEngine::Look());
        const TKeyDescrList &records = engine.Records();
        for (int i = 0; i < records.Count(); ++i) {
            if (records[i].EndPos >= records[i].StartPos)
                FUZZ_CHECK(records[i].StartPos >= engine.ScanStart() &&
                           records[i].EndPos < engine.ScanEnd());
        }
    }
    return 0;
}
