#include "codegen/TemplateBlocks.h"
#include "codegen/Templates.h"

using namespace TemplateBlocks;

namespace {

// A split side: panels and tabbed panes scroll themselves, the others get a scroll pane.
QString splitSide(const Element &element) {
    if (element.position == 1 || element.isTabbed())
        return element.var;
    return "new JScrollPane(" + element.var + ")";
}

} // namespace

// A frame with a menu bar and one main element, or two side by side in a split pane.
void Templates::sdiFrame(QStringList &out, const TNewFile &nf, QStringList &notices) {
    const Element first{nf.SdiElement1, nf.SdiType1, nf.SdiVar1,
                        nf.Split ? Side::Left : Side::Single};
    const Element second{nf.SdiElement2, nf.SdiType2, nf.SdiVar2, Side::Right};
    QList<Element> elements{first};
    if (nf.Split)
        elements << second;
    auto any = [&](bool (Element::*test)() const) {
        for (const Element &element : elements) {
            if ((element.*test)())
                return true;
        }
        return false;
    };

    header(out, HeaderKind::Sdi);
    frameImportsHead(out);
    elementImports(out, elements);
    frameImportsTail(out);
    out << "";
    out << "";
    out << "public class " + nf.ClassName + " extends JFrame {";
    serialVersion(out);
    menuFields(out, nf.ProgInfo, false);
    if (any(&Element::isList))
        out << listField();
    for (const Element &element : elements)
        out << "  private " + fieldType(element) + " " + element.var + ";";
    if (any(&Element::isTree))
        out << "  private DefaultMutableTreeNode rootNode;";
    out << "";
    out << "   // Konstruktor";
    constructorHead(out, nf.ClassName);
    out << "    setDefaultCloseOperation( JFrame.EXIT_ON_CLOSE );";
    out << "    setGUI();";
    out << "  }";
    out << "";
    out << "  public void setGUI() {";
    if (nf.UseGridBagLayout)
        out << "    this.getContentPane().setLayout( new GridBagLayout() );";
    else
        out << "    this.getContentPane().setLayout( new BorderLayout() );";
    out << "    this.setSize(new Dimension(600, 400));";
    out << "    this.setVisible(true);";
    out << "";

    // The tree lines declare a local model: two trees get a block each, or the second
    // declaration would not compile.
    const bool twoTrees = nf.Split && first.isTree() && second.isTree();
    if (!first.valid()) {
        notices << QStringLiteral("Fehler in case SDI splitpane create left");
    } else if (twoTrees) {
        out << "    {  // linker Baum";
        construction(out, first);
        out << "    }";
    } else {
        construction(out, first);
    }
    if (nf.Split) {
        if (!second.valid()) {
            notices << QStringLiteral("Fehler in case SDI splitpane create right");
        } else if (twoTrees) {
            out << "    {  // rechter Baum";
            construction(out, second);
            out << "    }";
        } else {
            construction(out, second);
        }
    }

    if (!nf.Split) {
        if (first.valid()) {
            if (nf.UseGridBagLayout)
                gridBagPlacement(out, first.var);
            else
                out << "    this.getContentPane().add( new JScrollPane(" + first.var +
                           "), BorderLayout.CENTER);";
        }
    } else {
        if (!first.valid())
            notices << QStringLiteral("Fehler in case SDI splitpane left");
        if (!second.valid())
            notices << QStringLiteral("Fehler in case SDI splitpane right");
        if (first.valid() && second.valid()) {
            out << "    JSplitPane split = new JSplitPane(JSplitPane.HORIZONTAL_SPLIT,false,";
            out << "      " + splitSide(first) + " , " + splitSide(second) + ");";
            out << "    split.setDividerLocation(150);";
            if (nf.UseGridBagLayout)
                gridBagPlacement(out, QStringLiteral("split"));
            else
                out << "    this.getContentPane().add(split, BorderLayout.CENTER);";
        }
    }
    for (const Element &element : elements)
        tabbedFill(out, element);
    out << "    setMenus();";
    out << "  }  // setGUI";
    out << "";

    for (const Element &element : elements) {
        if (element.isTree())
            treeHandler(out, element.side);
    }
    if (any(&Element::isTree))
        buildTree(out);
    menuMethod(out, nf.ProgInfo, false);
    if (any(&Element::isList))
        listMethod(out);
    if (any(&Element::isTable))
        tableMethod(out);
    if (any(&Element::isTabbed))
        tabbedMethods(out);
    out << "  void MnNew_click() {";
    out << "    System.out.println(\"Menüeintrag Neu\");";
    out << "  }";
    out << "";
    out << "  void MnOpen_click() {";
    out << homeFolderChooser();
    out << "    if (fc.showOpenDialog(this) == JFileChooser.APPROVE_OPTION) {";
    out << "      String sFileName = fc.getSelectedFile().getPath();";
    out << "      System.out.println(\"Datei: \" + sFileName);";
    out << "    }";
    out << "  }";
    out << "";
    closeAndEditHandlers(out);
    if (nf.ProgInfo)
        infoHandler(out);
    mainBlock(out, nf.ClassName, true);
    if (any(&Element::isTree))
        treeNodeClass(out);
    if (nf.ProgInfo)
        infoClass(out);
}
