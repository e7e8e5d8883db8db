#include "codegen/TemplateBlocks.h"

namespace TemplateBlocks {

namespace {

// Neutral values shown by the info dialog.
const char *const kAuthor = "Max Mustermann";
const char *const kOrganisation = "Musterschule Neustadt";
const char *const kWeb = "www.example.org";
const char *const kMail = "autor@example.org";

QString treeHandlerName(Side side) {
    switch (side) {
    case Side::Left:
        return QStringLiteral("jTreeL_mouseClicked");
    case Side::Right:
        return QStringLiteral("jTreeR_mouseClicked");
    case Side::Single:
        break;
    }
    return QStringLiteral("jTree_mouseClicked");
}

// One menu item with its listener calling <name>_click().
void menuItem(QStringList &out, const QString &menu, const QString &name, const QString &caption,
              const QString &accelerator, bool listener) {
    out << "    " + name + " = new JMenuItem(\"" + caption + "\");";
    if (!accelerator.isEmpty())
        out << "    " + name + ".setAccelerator(KeyStroke.getKeyStroke(KeyEvent." + accelerator +
                   ", InputEvent.CTRL_DOWN_MASK));";
    if (listener) {
        out << "    " + name + ".addActionListener(new ActionListener() {";
        out << "      public void actionPerformed(ActionEvent e) {";
        out << "        " + name + "_click();";
        out << "      }";
        out << "    });";
    }
    out << "    " + menu + ".add(" + name + ");";
}

} // namespace

void header(QStringList &out, HeaderKind kind) {
    switch (kind) {
    case HeaderKind::Dialog:
        out << "//Titel:            Dialog-Fenster";
        out << "//Version:";
        out << "//Copyright:\t\tCopyright (c) 2010";
        out << "//Autor:";
        out << "//Organisation:";
        break;
    case HeaderKind::Sdi:
    case HeaderKind::Mdi:
        out << (kind == HeaderKind::Sdi ? "//Titel:            SDI-Fenster"
                                        : "//Titel:            MDI-Fenster");
        out << "//Version:          1.0";
        out << "//Copyright:";
        out << "//Autor:";
        out << "//Firma:";
        break;
    }
    out << "//Beschreibung:";
    out << "";
    out << "";
}

void elementImports(QStringList &out, const QList<Element> &elements) {
    auto any = [&](bool (Element::*test)() const) {
        for (const Element &element : elements) {
            if ((element.*test)())
                return true;
        }
        return false;
    };
    if (any(&Element::isList))
        out << "import java.util.Vector;";
    if (any(&Element::isTable))
        out << "import javax.swing.table.*;";
    if (any(&Element::isTree)) {
        out << "import javax.swing.tree.*;";
        out << "import javax.swing.tree.DefaultMutableTreeNode;";
    }
}

void construction(QStringList &out, const Element &element) {
    const QString &v = element.var;
    const QString &t = element.type;
    switch (element.position) {
    case 1:
        out << "    " + v + " = new " + t + "();";
        out << "    " + v + ".setBackground(Color.red);";
        break;
    case 2:
        out << "    " + v + " = new " + t + R"(("abc\ndef");)";
        break;
    case 3:
        out << "    " + v + " = new " + t +
                   R"(("text/html", "<html><h1>hallo</h1><ul><li>1. Punkt</li><li>2. Punkt</li>)"
                   R"(<li>3. Punkt</li></ul></hmtl>"); // () String url), String )" +
                   (element.side == Side::Left ? "mimetype" : "type") +
                   ", String text) ,URL initialPage ";
        break;
    case 4:
        out << "    " + v + " = new " + t + "();  // Default oder (StyledDocument doc) ";
        break;
    case 5:
        out << "    " + v + " = createListe();";
        break;
    case 6:
        out << "    " + v + " = createTable();";
        break;
    case 7:
        out << "    rootNode = BuildTree();";
        out << "    DefaultTreeModel treeModel = new DefaultTreeModel(rootNode);";
        out << "    " + v + " = new javax.swing.JTree(treeModel);  //  kein Root !!!";
        out << "    " + v +
                   ".getSelectionModel().setSelectionMode(TreeSelectionModel.SINGLE_TREE_SELECTION)"
                   ";";
        out << "    " + v + ".addMouseListener(";
        out << "      new java.awt.event.MouseAdapter() {";
        out << "        public void mouseClicked(MouseEvent e) {";
        out << treeHandlerName(element.side) + "(e);";
        out << "        }";
        out << "      });";
        break;
    case 8:
        out << "    " + v + " = new " + t + "();";
        break;
    default:
        break;
    }
}

void tabbedFill(QStringList &out, const Element &element) {
    if (!element.isTabbed())
        return;
    out << "\t" + element.var + ".add(\"Schalter\",  createPanel1() );";
    out << "\t" + element.var + ".add(\"Liste\", createPanel2() );";
}

void gridBagPlacement(QStringList &out, const QString &component) {
    out << "\tthis.getContentPane().add(" + component + ",";
    out << "\t\tnew GridBagConstraints(0, 4, 2, 1, 100.0, 100.0, GridBagConstraints.CENTER,";
    out << "\t\tGridBagConstraints.BOTH, new Insets(10, 10, 10, 10), 0, 0));";
}

void treeHandler(QStringList &out, Side side) {
    const char *text = side == Side::Left    ? "in TreeL Click"
                       : side == Side::Right ? "in TreeR Click"
                                             : "in Tree Click";
    out << "  private void " + treeHandlerName(side) + "(MouseEvent e) {";
    out << "    if (e.getClickCount() == 2) {";
    out << QStringLiteral("      System.out.println(\"%1\");").arg(QLatin1String(text));
    out << "    }";
    out << "  }";
    out << "";
}

void buildTree(QStringList &out) {
    out << " DefaultMutableTreeNode BuildTree() {";
    out << "    DefaultMutableTreeNode root = new DefaultMutableTreeNode(new "
           "CTreeNodeRec(\"root\"));";
    out << "    for (int i = 1; i <= 3; i++) {";
    out << "      DefaultMutableTreeNode node = new DefaultMutableTreeNode(new CTreeNodeRec(\"1. "
           "Stufe\"));";
    out << "      root.add(node);";
    out << "      for (int j = 1; j <= 3; j++) {";
    out << "        node.add(new DefaultMutableTreeNode(new CTreeNodeRec(\"2. Stufe\")));";
    out << "      }";
    out << "    }";
    out << "    return root;";
    out << "  } // BuildTree";
    out << "";
}

void treeNodeClass(QStringList &out) {
    out << "";
    out << "";
    out << "// Einfache Klasse für jeden Knoten";
    out << "class CTreeNodeRec  {";
    out << "  private static int nr = 0;";
    out << "  private int _id;";
    out << "  private int _myData = 0;";
    out << "  private String _nodeString;";
    out << "";
    out << "  public CTreeNodeRec(String nodeString) {";
    out << "    nr++;";
    out << "    _id = nr;";
    out << "    _nodeString = nodeString;";
    out << "  }";
    out << "";
    out << "  public int getData() {";
    out << "    return _myData;";
    out << "  }";
    out << "";
    out << "  public void setData(int data) {";
    out << "    _myData = data;";
    out << "  }";
    out << "";
    out << "  public int getID() {";
    out << "    return _id;";
    out << "  }";
    out << "";
    out << "   // sehr wichtig";
    out << "  public String toString() {";
    out << "    return _nodeString;";
    out << "  }";
    out << "}  // MyTreeNodeRec";
}

void listMethod(QStringList &out) {
    out << "  private JList<String> createListe() {";
    out << "    liste = new Vector<String>();";
    out << "    for (int i = 0; i < 40; i++) {";
    out << "      liste.addElement(Integer.toString(i)+\". Eintrag\");";
    out << "    }";
    out << "    return new JList<String>(liste);";
    out << "  } // createListe";
    out << "";
}

void tableMethod(QStringList &out) {
    out << "  private JTable createTable() {";
    out << "    TableModel dataModel = new AbstractTableModel() {";
    out << "        public int getColumnCount() {";
    out << "          return 6;";
    out << "        }";
    out << "        public int getRowCount() {";
    out << "           return 33;";
    out << "        }";
    out << "        public Object getValueAt(int row, int col) {";
    out << "          return Integer.valueOf(row*100+ col);";
    out << "        }";
    out << "        public String getColumnName(int column) {";
    out << "          return \"C:\" + (column + 1);";
    out << "        }";
    out << "        public boolean isCellEditable(int row, int col) {";
    out << "          return getColumnClass(col) == String.class;";
    out << "        }";
    out << "        public void setValueAt(Object aValue, int row, int column) {";
    out << "        }";
    out << "    };";
    out << "    return new JTable(dataModel);";
    out << "  } // createTable";
    out << "";
}

void tabbedMethods(QStringList &out) {
    out << " JPanel createPanel1() {";
    out << "    JPanel panel = new JPanel();";
    out << "    panel.setLayout( new FlowLayout() );";
    out << "    panel.add(new JButton(\"1. Text\"));";
    out << "    panel.add(new JButton(\"2. Text\"));";
    out << "    panel.add(new JButton(\"3. Text\"));";
    out << "    return panel;";
    out << "} // createPanel1";
    out << "";
    out << "JPanel createPanel2() {";
    out << "    JPanel panel = new JPanel();";
    out << "    panel.setLayout( new BorderLayout() );";
    out << "    String[] items = new String[20];";
    out << "    for (int i = 0; i < 20; i++) {";
    out << "      items[i] = Integer.toHexString(i+1)+\" Auswahl\";";
    out << "    }";
    out << "    panel.add(new JScrollPane(new JList<String>(items)), BorderLayout.CENTER);";
    out << "    return panel;";
    out << "}  // createTabbedPane";
    out << "";
}

void menuFields(QStringList &out, bool withInfo, bool withWindows) {
    out << "  private JMenuBar menuBar1;";
    out << "  private JMenu MainFile;";
    out << "  private JMenuItem MnNew;";
    out << "  private JMenuItem MnOpen;";
    out << "  private JMenuItem MnClose;";
    out << "  private JMenu MainEdit;";
    out << "  private JMenuItem MnCut;";
    out << "  private JMenuItem MnCopy;";
    out << "  private JMenuItem MnInsert;";
    if (withWindows) {
        out << "  private JMenu MainWindows;";
        out << "  private JMenuItem MnPrevWindows;";
        out << "  private JMenuItem MnNextWindows;";
        out << "  private JMenuItem MnTile;";
        out << "  private JMenuItem MnCascade;";
    }
    if (withInfo) {
        out << "  private JMenu MainHelp;";
        out << "  private JMenuItem MnInfo;";
    }
}

void menuMethod(QStringList &out, bool withInfo, bool withWindows) {
    out << "  private void setMenus() {";
    out << "    menuBar1 = new JMenuBar();";
    out << "    MainFile = new JMenu(\"Datei\");";
    menuItem(out, "MainFile", "MnNew", "Neu", "VK_N", true);
    menuItem(out, "MainFile", "MnOpen", "Öffnen", "VK_O", true);
    out << "    MainFile.addSeparator();";
    menuItem(out, "MainFile", "MnClose", "Schließen", QString(), true);
    out << "    menuBar1.add(MainFile);";
    out << "    MainEdit = new JMenu(\"Bearbeiten\");";
    menuItem(out, "MainEdit", "MnCut", "Ausschneiden", QString(), true);
    menuItem(out, "MainEdit", "MnCopy", "Kopieren", QString(), true);
    menuItem(out, "MainEdit", "MnInsert", "Einfügen", QString(), true);
    out << "    menuBar1.add(MainEdit);";
    if (withWindows) {
        out << "    MainWindows = new JMenu(\"Fenster\");";
        menuItem(out, "MainWindows", "MnPrevWindows", "Vorheriges Fenster", QString(), false);
        menuItem(out, "MainWindows", "MnNextWindows", "Nächstes Fenster", QString(), false);
        out << "    MainWindows.addSeparator();";
        menuItem(out, "MainWindows", "MnCascade", "Kaskade", QString(), true);
        menuItem(out, "MainWindows", "MnTile", "Aufteilen", QString(), true);
        out << "    menuBar1.add(MainWindows);";
    }
    if (withInfo) {
        out << "    MainHelp = new JMenu(\"Hilfe\");";
        menuItem(out, "MainHelp", "MnInfo", "Info", QString(), true);
        out << "    menuBar1.add(MainHelp);";
    }
    out << "    this.setJMenuBar(menuBar1);";
    out << "  } // setMenus";
    out << "";
}

void closeAndEditHandlers(QStringList &out) {
    out << "  void MnClose_click() {";
    out << "    System.exit(0);";
    out << "  }";
    out << "";
    out << "  void MnCut_click() {";
    out << "    System.out.println(\"Menüeintrag Cut\");";
    out << "  }";
    out << "";
    out << "  void MnCopy_click() {";
    out << "    System.out.println(\"Menüeintrag Copy\");";
    out << "  }";
    out << "";
    out << "  void MnInsert_click() {";
    out << "    System.out.println(\"Menüeintrag Insert\");";
    out << "  }";
    out << "";
}

void infoHandler(QStringList &out) {
    out << "  void MnInfo_click() {";
    out << "    JProgInfo dlg = new JProgInfo(this);";
    out << "    dlg.setVisible(true);";
    out << "  }";
    out << "";
}

void infoClass(QStringList &out) {
    out << "";
    out << "";
    out << "class JProgInfo extends JDialog{";
    serialVersion(out);
    out << "  static final String VERSION = \"Version 0.01, Build 1, 02.10.2010\";";
    out << QStringLiteral("  static final String AUTOR = \"%1\";").arg(QString::fromUtf8(kAuthor));
    out << QStringLiteral("  static final String ORGANISATION = \"%1\";")
               .arg(QString::fromUtf8(kOrganisation));
    out << QStringLiteral("  static final String WEB = \"%1\";").arg(QString::fromUtf8(kWeb));
    out << QStringLiteral("  static final String EMAIL = \"%1\";").arg(QString::fromUtf8(kMail));
    out << "";
    out << "  public JProgInfo(JFrame owner) {";
    out << "    super(owner, \"Info über SDI\", true);";
    out << "    setSize(600, 470);";
    out << "    setLocationRelativeTo(owner);";
    out << "    setGUI();";
    out << "  }";
    out << "";
    out << "  private void setGUI() {";
    out << "    this.getContentPane().setLayout( new GridBagLayout() );";
    out << "    JLabel LTitel = new JLabel(\"Programm-Info\", new ImageIcon(\"SDI-Programm.gif\"), "
           "JLabel.LEFT);";
    out << "    LTitel.setFont(new Font(\"Arial\", Font.BOLD, 28));";
    out << "    JLabel LBeispiel = new JLabel(\"SDI-Beispiel\");";
    out << "    LBeispiel.setFont(new Font(\"Arial\", Font.BOLD, 22));";
    out << "    JPanel pnLinie = new JPanel();";
    out << "    pnLinie.setBackground(Color.gray);";
    out << "    pnLinie.setPreferredSize(new Dimension(500, 2));";
    out << "    JButton BnOk = new JButton(\"Ok\");";
    out << "    BnOk.addActionListener(new ActionListener() {";
    out << "      public void actionPerformed(ActionEvent e) {";
    out << "        close();";
    out << "      }";
    out << "    });";
    out << "    addRow(LTitel, 0);";
    out << "    addRow(LBeispiel, 1);";
    out << "    addRow(new JLabel(VERSION), 2);";
    out << "    addRow(new JLabel(AUTOR), 3);";
    out << "    addRow(new JLabel(ORGANISATION), 4);";
    out << "    addRow(createLink(WEB, \"http://\" + WEB), 5);";
    out << "    addRow(createLink(EMAIL, \"mailto:\" + EMAIL), 6);";
    out << "    addRow(pnLinie, 7);";
    out << "    addRow(BnOk, 8);";
    out << "    getRootPane().setDefaultButton(BnOk);";
    out << "  } // setGUI";
    out << "";
    out << "  private void addRow(JComponent component, int row) {";
    out << "    this.getContentPane().add(component, new GridBagConstraints(0, row, 1, 1, 1.0, "
           "1.0,";
    out << "        GridBagConstraints.CENTER, GridBagConstraints.NONE, new Insets(5, 10, 5, 10), "
           "0, 0));";
    out << "  }";
    out << "";
    out << "  // Blau gedruckt; ein Klick öffnet die Adresse";
    out << "  private JLabel createLink(String text, final String address) {";
    out << "    JLabel label = new JLabel(text);";
    out << "    label.setForeground(Color.blue);";
    out << "    label.setCursor(Cursor.getPredefinedCursor(Cursor.HAND_CURSOR));";
    out << "    label.addMouseListener(new MouseAdapter() {";
    out << "      public void mouseClicked(MouseEvent e) {";
    out << "        openAddress(address);";
    out << "      }";
    out << "    });";
    out << "    return label;";
    out << "  }";
    out << "";
    out << "  // Der Browser oder das Mailprogramm des Desktops; ohne dessen Unterstützung "
           "xdg-open";
    out << "  private void openAddress(String address) {";
    out << "    try {";
    out << "      java.net.URI uri = new java.net.URI(address);";
    out << "      boolean mail = address.startsWith(\"mailto:\");";
    out << "      Desktop.Action action = mail ? Desktop.Action.MAIL : Desktop.Action.BROWSE;";
    out << "      if (Desktop.isDesktopSupported() && Desktop.getDesktop().isSupported(action)) {";
    out << "        if (mail) {";
    out << "          Desktop.getDesktop().mail(uri);";
    out << "        }";
    out << "        else {";
    out << "          Desktop.getDesktop().browse(uri);";
    out << "        }";
    out << "      }";
    out << "      else {";
    out << "        new ProcessBuilder(\"xdg-open\", address).start();";
    out << "      }";
    out << "    }";
    out << "    catch (Exception e) {";
    out << "      System.out.println(\"Adresse kann nicht geöffnet werden: \" + address);";
    out << "    }";
    out << "  }";
    out << "";
    out << "  void close() {";
    out << "    setVisible(false);";
    out << "    dispose();";
    out << "  }";
    out << "} // JProgInfo";
}

void serialVersion(QStringList &out) {
    out << "  private static final long serialVersionUID = 1L;";
}

void constructorHead(QStringList &out, const QString &className) {
    out << "  @SuppressWarnings(\"this-escape\")";
    out << "  public " + className + "() {";
}

QString fieldType(const Element &element) {
    return element.isList() ? element.type + "<String>" : element.type;
}

QString listField() {
    return QStringLiteral("  private Vector<String> liste; // Vector<klasse> liste");
}

QString homeFolderChooser() {
    return QStringLiteral(
        "    JFileChooser fc = new JFileChooser(new File(System.getProperty(\"user.home\")));");
}

void mainBlock(QStringList &out, const QString &className, bool staticPublic) {
    out << (staticPublic ? "  static public void main(String[] args) {"
                         : "  public static void main(String[] args) {");
    out << "    " + className + " frame = new " + className + "();";
    out << "    frame.setVisible(true);";
    out << "  }";
    out << "}  // " + className;
}

void frameImportsHead(QStringList &out) {
    out << "import java.awt.*;";
    out << "import java.awt.event.*;";
    out << "import javax.swing.*;";
    out << "import java.io.*;  // Exception";
    out << "// Opendialog";
    out << "import javax.swing.JFileChooser;";
    out << "import java.io.File;";
    out << "//import java.util.*;";
    out << "//import javax.swing.border.*;";
}

void frameImportsTail(QStringList &out) {
    out << "// InternalFrame";
    out << "import javax.swing.event.*;";
}

} // namespace TemplateBlocks
