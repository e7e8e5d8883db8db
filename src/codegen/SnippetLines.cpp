#include "codegen/Snippets.h"

namespace {

QString S(const char *text) {
    return QString::fromUtf8(text);
}

QStringList WindowListenerLines() {
    static const char *const events[] = {
        "windowActivated",   "windowClosed",    "windowClosing", "windowDeactivated",
        "windowDeiconified", "windowIconified", "windowOpened"};
    QStringList lines{S("  this.addWindowListener(new java.awt.event.WindowAdapter() {")};
    int i = 0;
    for (const char *event : events) {
        const QString indent = i++ < 2 ? S("    ") : S("      ");
        lines << indent + S("public void ") + S(event) + S("(WindowEvent e) {")
              << S("        this_") + S(event) + S("(e);") << S("      }");
    }
    lines << S("    });  // addWindowListener") << S("/*");
    i = 0;
    for (const char *event : events) {
        const QString indent = i++ < 1 ? S("    ") : S("  ");
        lines << indent + S("void this_") + S(event) + S("(WindowEvent e) {")
              << S("    System.out.println(\"") + S(event) + S("\");") << S("  }");
    }
    lines << S("*/");
    return lines;
}

QStringList MouseListenerLines() {
    QStringList lines{S("gui.addMouseListener(new java.awt.event.MouseAdapter() {")};
    // Only the click is handled; the other events are there to be switched on.
    for (const char *event :
         {"mouseClicked", "mouseEntered", "mouseExited", "mousePressed", "mouseReleased"}) {
        const bool live = qstrcmp(event, "mouseClicked") == 0;
        lines << S("      public void ") + S(event) + S("(MouseEvent e) {")
              << S(live ? "        gui_" : "        //gui_") + S(event) + S("(e);") << S("      }");
    }
    lines << S("    });") << QString() << S("/*") << S("  void gui_mouseClicked(MouseEvent e) {")
          << S("    System.out.println(\"gui: mouseClicked\");") << S("    // e.getSource()")
          << S("  }") << S("*/");
    return lines;
}

QStringList FocusListenerLines() {
    return {S("this.addFocusListener(new java.awt.event.FocusAdapter() {"),
            S("      public void focusGained(FocusEvent e) {"),
            S("        this_focusGained(e);"),
            S("      }"),
            S("      public void focusLost(FocusEvent e) {"),
            S("        this_focusLost(e);"),
            S("      }"),
            S("    });"),
            QString(),
            S("/*"),
            S(" void this_focusGained(FocusEvent e) {"),
            S("    System.out.println(\"focusGained, focus erhalten\");"),
            S("  }"),
            S("  void this_focusLost(FocusEvent e) {"),
            S("    System.out.println(\"focusLost\");"),
            S("  }"),
            S("*/")};
}

} // namespace

QStringList CaretSnippetLines(CaretSnippet snippet) {
    switch (snippet) {
    case CaretSnippet::Syso:
        return {S("    System.out.println(\"\");")};
    case CaretSnippet::SetDefaultCloseOperation:
        return {S("    setDefaultCloseOperation( JFrame.EXIT_ON_CLOSE );")};
    case CaretSnippet::IfElse:
        return {S("    if () {"), S("    }"), S("    else {"), S("    } // if")};
    case CaretSnippet::WhileLoop:
        return {S("    while (bed) {"), S("     // Rumpf "), S("    }")};
    case CaretSnippet::DoWhileLoop:
        return {S("    do {"), S("     // Rumpf }"), S("    } while (bed);")};
    case CaretSnippet::GridBagConstraint:
        return {S("    getContentPane().add(jLabel1,"),
                S("      new GridBagConstraints("),
                S("       0, 0, 1, 1, 0.0, 0.0,     // gridx, gridy, gridwidth, gridheight, "
                  "weightx, weighty"),
                S("       GridBagConstraints.WEST,  // anchor"),
                S("       GridBagConstraints.NONE,  // HORIZONTAL, VERTICAL, BOTH"),
                S("       new Insets(20,20,0,0), 0, 0)); // Top, left, bottom, right")};
    case CaretSnippet::ButtonListener:
        return {S("Bn1.addActionListener("),
                S("     new java.awt.event.ActionListener() {"),
                S("      public void actionPerformed(ActionEvent e) {"),
                S("        Bn1_click();"),
                S("      }"),
                S("    });")};
    case CaretSnippet::WindowListener:
        return WindowListenerLines();
    case CaretSnippet::MouseListener:
        return MouseListenerLines();
    case CaretSnippet::FocusListener:
        return FocusListenerLines();
    }
    return {};
}

QStringList ClassSkeletonLines(const QString &name) {
    return {S("//  Titel:        Testprogramm"),
            S("//  Version:      1.0"),
            S("//  Copyright:    Copyright (c) 2002,10"),
            S("//  Autor:        Ihr Name"),
            S("//  Firma:        Ihre Organisation"),
            S("//  Beschreibung: Ihre Beschreibung"),
            S("class ") + name + S(" {"),
            QString(),
            S("    // Constructor"),
            S("  public ") + name + S("() {"),
            S("  }"),
            QString(),
            QString(),
            QString(),
            S("}  // ") + name};
}

QStringList AttributeMethodLines(const NewDataTypChoice &attribute, bool parameterValue) {
    const QString &name = attribute.name;
    const QString &type = attribute.type;
    QStringList lines{S("    // get Methode für Variable ") + name,
                      S("  public ") + type + S(" get") + name + S("() {"),
                      S("    return ") + name + S(";"),
                      S("  }   //  get") + name,
                      QString(),
                      S("    // set Methode für Variable ") + name};
    if (parameterValue)
        lines << S("  public void set") + name + S(" (") + type + S(" value) {")
              << S("    ") + name + S("=value;");
    else
        lines << S("  public void set") + name + S(" (") + type + S(" ") + name + S(") {")
              << S("    this.") + name + S("=") + name + S(";");
    lines << S("  }   //  set") + name << QString();
    return lines;
}
