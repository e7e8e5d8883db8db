#include "codegen/TemplateBlocks.h"
#include "codegen/Templates.h"

using namespace TemplateBlocks;

namespace {

void listener(QStringList &out, const QString &button) {
    out << "    " + button + ".addActionListener(new ActionListener() {";
    out << "      public void actionPerformed(ActionEvent e) {";
    out << "        " + button + "_Click();";
    out << "      }";
    out << "    });";
}

} // namespace

// A frame used as a simple dialog: one main element above a row of buttons.
void Templates::dialogFrame(QStringList &out, const TNewFile &nf, QStringList &notices) {
    const Element element{nf.Element, nf.ElementType, nf.ElementVar, Side::Single};
    const int buttons = qMax(0, nf.ButtonCount);
    QStringList allButtons;
    for (int i = 1; i <= buttons; ++i)
        allButtons << QStringLiteral("Bn%1").arg(i);
    allButtons << QStringLiteral("BnOk") << QStringLiteral("BnEsc");

    header(out, HeaderKind::Dialog);
    out << "import java.awt.*;";
    out << "import javax.swing.*;";
    out << "import java.awt.event.*;";
    elementImports(out, {element});
    out << "";
    out << "";
    out << "public class " + nf.ClassName + " extends JFrame {";
    serialVersion(out);
    out << "";
    for (int i = 1; i <= buttons; ++i)
        out << QStringLiteral("  JButton Bn%1 = new JButton(\"Bn%1\");").arg(i);
    out << "  JButton BnOk = new JButton(\"Ok\");";
    out << "  JButton BnEsc = new JButton(\"Abbruch\");";
    out << "";
    out << "";
    out << "  private " + fieldType(element) + " " + nf.ElementVar + ";";
    if (element.isTree())
        out << "  private DefaultMutableTreeNode rootNode;";
    if (element.isList())
        out << listField();
    out << "";
    constructorHead(out, nf.ClassName);
    out << "    setDefaultCloseOperation( JFrame.EXIT_ON_CLOSE );";
    out << "    setGUI();";
    out << "  }";
    out << "";
    out << "  private void setGUI() {";
    out << QStringLiteral("    setSize(%1, 430);").arg(400 + 25 * buttons);
    out << "    setTitle(\"JFrame als Dialog\");";
    for (const QString &button : allButtons)
        out << "    " + button + ".setFont(new Font(\"Arial\", Font.BOLD,18));";
    out << "    BnOk.setPreferredSize( BnEsc.getPreferredSize() );";
    if (nf.UseGridBagLayout) {
        out << "  this.getContentPane().setLayout( new GridBagLayout() );";
        out << "    // Beispiel:";
        out << "    // this.getContentPane().add(new JLabel(\"Label\"),";
        out << "    //   new GridBagConstraints(0, 0, 1, 1, 0.0, 0.0, GridBagConstraints.WEST,";
        out << "    //   GridBagConstraints.NONE, new Insets(0, 0, 0, 0), 0, 0));";
    } else {
        out << "    this.getContentPane().setLayout( new BorderLayout() );";
    }
    out << "";
    if (element.valid()) {
        construction(out, element);
        if (nf.UseGridBagLayout)
            gridBagPlacement(out, element.var);
        else
            out << "    this.getContentPane().add( new JScrollPane(" + element.var +
                       "), BorderLayout.CENTER);";
        tabbedFill(out, element);
    } else {
        notices << QStringLiteral("Fehler in case JFrame Dialog create Element");
    }
    out << "";
    out << "\tJPanel pnButton = new JPanel();";
    out << "\t// pnButton.setBackground(Color.lightGray);";
    out << "\tpnButton.setLayout( new FlowLayout() );";
    for (const QString &button : allButtons)
        out << "\tpnButton.add(" + button + ");";
    if (nf.UseGridBagLayout) {
        // One row below the element: in the element's own row the panel would lie over it.
        out << "\tthis.getContentPane().add(pnButton,";
        out << "\t\tnew GridBagConstraints(0, 5, 2, 1, 100.0, 0.0, GridBagConstraints.CENTER,";
        out << "\t\tGridBagConstraints.HORIZONTAL, new Insets(20, 0, 0, 0), 0, 0));";
    } else {
        out << "\tthis.getContentPane().add(pnButton, BorderLayout.SOUTH);";
    }
    out << "";
    listener(out, QStringLiteral("BnOk"));
    listener(out, QStringLiteral("BnEsc"));
    out << "  } // setGUI";
    out << "";
    out << "    private void BnOk_Click() {";
    out << "      System.out.println(\"Hier in Ok\");";
    out << "    }";
    out << "";
    out << "    private void BnEsc_Click() {";
    out << "      setVisible(false);";
    out << "      System.exit(0);";
    out << "    }";
    out << "";
    if (element.isTree()) {
        treeHandler(out, Side::Single);
        buildTree(out);
    }
    if (element.isList())
        listMethod(out);
    if (element.isTable())
        tableMethod(out);
    if (element.isTabbed())
        tabbedMethods(out);
    mainBlock(out, nf.ClassName, false);
    if (element.isTree())
        treeNodeClass(out);
}
