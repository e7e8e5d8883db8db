#include "codegen/TemplateBlocks.h"
#include "codegen/Templates.h"

using namespace TemplateBlocks;

namespace {

// The internal window class of the MDI frame.
void internalFrameClass(QStringList &out, const QString &name, const QString &mainClass) {
    out << "";
    out << "";
    out << "class " + name + " extends JInternalFrame {";
    serialVersion(out);
    out << "  private String _sFileName;";
    out << "  private String _Caption;";
    out << "  private " + mainClass + " _Main;";
    out << "";
    out << "  public " + name + "(" + mainClass + " main, String sFileName) {";
    out << "    _Main = main;";
    out << "    _sFileName = sFileName;";
    out << "    if (sFileName == null || sFileName.length() == 0) {";
    out << "      _Caption = \"noname\";";
    out << "    }";
    out << "    else {";
    out << "      _Caption = sFileName;";
    out << "    }";
    out << "    setTitle(_Caption);";
    out << "    setGUI();";
    out << "  }";
    out << "";
    out << "  private void setGUI() {";
    out << "    setClosable(true);";
    out << "    setIconifiable(true);";
    out << "    setMaximizable(true);";
    out << "    setResizable(true);";
    out << "    this.getContentPane().setLayout( new BorderLayout() );";
    out << "  }";
    out << "}  // " + name;
}

} // namespace

// A frame with a desktop of internal windows, a menu bar and window arrangement.
void Templates::mdiFrame(QStringList &out, const TNewFile &nf, const QStringList &cascadeTile) {
    const QString &inner = nf.InternalFrameName;
    header(out, HeaderKind::Mdi);
    frameImportsHead(out);
    frameImportsTail(out);
    out << "";
    out << "";
    out << "public class " + nf.ClassName + " extends JFrame {";
    serialVersion(out);
    out << "  // Container für die Clientfenster";
    out << "  private JDesktopPane _desktopPane = new JDesktopPane();";
    menuFields(out, nf.ProgInfo, true);
    out << "";
    out << "   // Konstruktor";
    constructorHead(out, nf.ClassName);
    out << "    setDefaultCloseOperation( JFrame.EXIT_ON_CLOSE );";
    out << "    setGUI();";
    out << "  }";
    out << "";
    out << "  public void setGUI() {";
    out << "    this.getContentPane().setLayout( new BorderLayout() );";
    out << "    this.setContentPane(_desktopPane);";
    out << "    this.setSize(new Dimension(600, 400));";
    out << "    this.setVisible(true);";
    out << "    setMenus();";
    out << "  }  // setGUI";
    out << "";
    menuMethod(out, nf.ProgInfo, true);
    out << "  void setFrame(JInternalFrame frame) {";
    out << "    int pos = _desktopPane.getAllFrames().length + 1;";
    out << "    // mindestens 1: ein Desktop kleiner als das Fenster darf nicht durch 0 teilen";
    out << "    int freeWidth = Math.max(1, _desktopPane.getWidth() - 250);";
    out << "    int freeHeight = Math.max(1, _desktopPane.getHeight() - 150);";
    out << "    frame.setBounds((pos * 50) % freeWidth, (pos * 50) % freeHeight, 250, 150);";
    out << "  } // setFrame";
    out << "";
    out << "  void MnNew_click() {";
    out << "    " + inner + " frame = new " + inner + "(this, \"\");";
    out << "    setFrame(frame);";
    out << "    _desktopPane.add(frame, Integer.valueOf(1));";
    out << "    frame.setVisible(true);";
    out << "    frame.moveToFront();";
    out << "  }";
    out << "";
    out << "  void MnOpen_click() {";
    out << homeFolderChooser();
    out << "    if (fc.showOpenDialog(this) == JFileChooser.APPROVE_OPTION) {";
    out << "      String sFileName = fc.getSelectedFile().getPath();";
    out << "      " + inner + " frame = new " + inner + "(this, sFileName);";
    out << "      frame.setBounds(0, 0, 450, 300);";
    out << "      _desktopPane.add(frame, Integer.valueOf(1));";
    out << "      frame.setVisible(true);";
    out << "      frame.moveToFront();";
    out << "    }";
    out << "  }";
    out << "";
    closeAndEditHandlers(out);
    out << cascadeTile;
    out << "";
    if (nf.ProgInfo)
        infoHandler(out);
    mainBlock(out, nf.ClassName, true);
    internalFrameClass(out, inner, nf.ClassName);
    if (nf.ProgInfo)
        infoClass(out);
}
