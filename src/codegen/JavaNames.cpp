#include "codegen/JavaNames.h"

#include <QSet>

namespace {

QString S(const char *text) {
    return QString::fromUtf8(text);
}

// Keywords and the literals true, false and null: no Java name can be one of them.
bool isKeywordOrLiteral(const QString &word) {
    static const QSet<QString> words{
        S("abstract"),   S("assert"),       S("boolean"),   S("break"),      S("byte"),
        S("case"),       S("catch"),        S("char"),      S("class"),      S("const"),
        S("continue"),   S("default"),      S("do"),        S("double"),     S("else"),
        S("enum"),       S("extends"),      S("final"),     S("finally"),    S("float"),
        S("for"),        S("goto"),         S("if"),        S("implements"), S("import"),
        S("instanceof"), S("int"),          S("interface"), S("long"),       S("native"),
        S("new"),        S("package"),      S("private"),   S("protected"),  S("public"),
        S("return"),     S("short"),        S("static"),    S("strictfp"),   S("super"),
        S("switch"),     S("synchronized"), S("this"),      S("throw"),      S("throws"),
        S("transient"),  S("try"),          S("void"),      S("volatile"),   S("while"),
        S("true"),       S("false"),        S("null"),      S("_")};
    return words.contains(word);
}

// Words that may name a variable but not a class.
bool isRestrictedTypeName(const QString &word) {
    static const QSet<QString> words{S("var"), S("yield"), S("record"), S("sealed"), S("permits")};
    return words.contains(word);
}

// A character that may follow the first one in a Java name.
bool isNamePart(char32_t c) {
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Punctuation_Connector:
    case QChar::Symbol_Currency:
        return true;
    default:
        return false;
    }
}

bool hasBlank(const QString &name) {
    for (const QChar c : name) {
        if (c.isSpace())
            return true;
    }
    return false;
}

// The first character that no Java name may hold, or the empty text.
QString foreignCharacter(const QString &name) {
    for (const char32_t c : name.toUcs4()) {
        if (!isNamePart(c))
            return QString::fromUcs4(&c, 1);
    }
    return {};
}

char32_t firstCodePoint(const QString &name) {
    const QList<uint> points = name.toUcs4();
    return points.isEmpty() ? 0 : points.first();
}

QString quoted(const QString &text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

QString ClassNameProblem(const QString &name) {
    if (name.size() > MaxClassNameLength)
        return S("Der Klassenname darf höchstens %1 Zeichen lang sein.").arg(MaxClassNameLength);
    if (hasBlank(name))
        return S("Der Klassenname darf keine Leerzeichen enthalten.");
    if (name.endsWith(QLatin1String(".java"), Qt::CaseInsensitive))
        return S("Der Klassenname wird ohne \".java\" eingegeben.");
    if (!QChar::isLetter(firstCodePoint(name)))
        return S("Ein Klassenname beginnt mit einem Buchstaben.");
    if (const QString bad = foreignCharacter(name); !bad.isEmpty())
        return S("Das Zeichen %1 ist in einem Klassennamen nicht erlaubt.").arg(quoted(bad));
    if (isKeywordOrLiteral(name) || isRestrictedTypeName(name))
        return S("%1 ist ein reserviertes Wort von Java.").arg(quoted(name));
    static const QSet<QString> known{S("JFrame"), S("JDialog"), S("String"),
                                     S("Object"), S("System"),  S("Environment")};
    if (known.contains(name))
        return S("%1 ist schon der Name einer vorhandenen Klasse.").arg(quoted(name));
    return {};
}

QString ClassNameHint(const QString &name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || !QChar::isLower(firstCodePoint(trimmed)))
        return {};
    return S("Hinweis: Klassennamen beginnen üblicherweise mit einem Großbuchstaben.");
}

QString AttributeNameProblem(const QString &name) {
    if (hasBlank(name))
        return S("Der Name darf keine Leerzeichen enthalten.");
    const char32_t first = firstCodePoint(name);
    if (!QChar::isLetter(first) && first != U'_' && first != U'$')
        return S("Ein Name beginnt mit einem Buchstaben oder \"_\".");
    if (const QString bad = foreignCharacter(name); !bad.isEmpty())
        return S("Das Zeichen %1 ist in einem Namen nicht erlaubt.").arg(quoted(bad));
    if (isKeywordOrLiteral(name))
        return S("%1 ist ein reserviertes Wort von Java.").arg(quoted(name));
    if (name == QLatin1String("String"))
        return S("%1 ist ein Datentyp, kein Name für ein Attribut.").arg(quoted(name));
    if (name == QLatin1String("Class"))
        return S("Der Name \"Class\" ergäbe die Methode getClass, die jede Klasse schon hat.");
    return {};
}
