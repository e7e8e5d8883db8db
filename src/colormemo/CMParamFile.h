#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// A small tree of named, typed values that can be written out as indented text lines.
// A TCMParamList is a named node with ordered children, which it owns; the value classes
// below carry one value each and have no children. Names are compared with the letters a-z
// taken as upper case.
class TCMParamList {
public:
    explicit TCMParamList(const QString &name = QString());
    virtual ~TCMParamList();
    TCMParamList(const TCMParamList &) = delete;
    TCMParamList &operator=(const TCMParamList &) = delete;

    QString Name() const { return m_name; }
    void SetName(const QString &name) { m_name = name; }

    int Count() const { return int(m_items.size()); }
    TCMParamList *Items(int index) const { return m_items[size_t(index)].get(); }
    // Appends a child (taking ownership) and returns it.
    TCMParamList *Add(std::unique_ptr<TCMParamList> param);
    template <class T> T *Add(const QString &name) {
        return static_cast<T *>(Add(std::make_unique<T>(name)));
    }
    // Destroys and removes the child at the index; an invalid index does nothing.
    void DeleteParam(int index);
    // Destroys every child.
    virtual void Clear();

    // The first child with the name, or none.
    TCMParamList *FindParam(const QString &name) const;
    // The first child with the name when it is a T (or derived from it); a child of that name
    // of another class is destroyed and removed first; when none remains, a new T with the
    // name is appended.
    template <class T> T *ParamOfClass(const QString &name) {
        while (TCMParamList *found = FindParam(name)) {
            if (T *typed = dynamic_cast<T *>(found))
                return typed;
            DeleteParam(IndexOf(found));
        }
        return Add<T>(name);
    }
    int IndexOf(const TCMParamList *param) const;

    // Typed reads: the value of the named child when it has the matching class, else the
    // default. Reads never fail.
    bool ReadBool(const QString &name, bool defaultValue) const;
    QString ReadIdent(const QString &name, const QString &defaultValue) const;
    int ReadInteger(const QString &name, int defaultValue) const;
    QString ReadString(const QString &name, const QString &defaultValue) const;
    // Typed writes: a child of another class under the name is replaced.
    void WriteBool(const QString &name, bool value);
    void WriteIdent(const QString &name, const QString &value);
    void WriteInteger(const QString &name, int value);
    void WriteString(const QString &name, const QString &value);

    // Appends the node's text form to the lines, indented by the given blanks. A list writes
    // "<", its children two blanks deeper, ">" and a line of one blank more than the indent.
    virtual void SaveToStrings(QStringList &strings, const QString &indent) const;
    // The node's value as text; empty for a list.
    virtual QString ValueText() const;

    // Compares two parameter names as the lookup does.
    static bool SameName(const QString &a, const QString &b);

private:
    QString m_name;
    std::vector<std::unique_ptr<TCMParamList>> m_items;
};

// A bare identifier ("Name = value").
class TCMIdentifierParam : public TCMParamList {
public:
    explicit TCMIdentifierParam(const QString &name = QString()) : TCMParamList(name) {}
    QString Value() const { return m_value; }
    void SetValue(const QString &value) { m_value = value; }
    void SaveToStrings(QStringList &strings, const QString &indent) const override;
    QString ValueText() const override { return m_value; }

private:
    QString m_value;
};

// A string of possibly several lines, written quoted with single quotes, one quoted line per
// value line, continuation lines aligned under the first.
class TCMStringParam : public TCMParamList {
public:
    explicit TCMStringParam(const QString &name = QString()) : TCMParamList(name) {}
    QString Value() const { return m_value; }
    void SetValue(const QString &value) { m_value = value; }
    void SaveToStrings(QStringList &strings, const QString &indent) const override;
    // The value's lines in comma-text form.
    QString ValueText() const override;

private:
    QString m_value;
};

// A 32-bit signed integer, written in decimal.
class TCMIntegerParam : public TCMParamList {
public:
    explicit TCMIntegerParam(const QString &name = QString()) : TCMParamList(name) {}
    int Value() const { return m_value; }
    void SetValue(int value) { m_value = value; }
    void SaveToStrings(QStringList &strings, const QString &indent) const override;
    QString ValueText() const override { return QString::number(m_value); }

private:
    int m_value = 0;
};

// A Boolean, written "True" or "False".
class TCMBoolParam : public TCMParamList {
public:
    explicit TCMBoolParam(const QString &name = QString()) : TCMParamList(name) {}
    bool Value() const { return m_value; }
    void SetValue(bool value) { m_value = value; }
    void SaveToStrings(QStringList &strings, const QString &indent) const override;
    QString ValueText() const override;

private:
    bool m_value = false;
};
