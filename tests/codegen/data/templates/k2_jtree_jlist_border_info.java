//Titel:            SDI-Fenster
//Version:          1.0
//Copyright:
//Autor:
//Firma:
//Beschreibung:


import java.awt.*;
import java.awt.event.*;
import javax.swing.*;
import java.io.*;  // Exception
// Opendialog
import javax.swing.JFileChooser;
import java.io.File;
//import java.util.*;
//import javax.swing.border.*;
import java.util.Vector;
import javax.swing.tree.*;
import javax.swing.tree.DefaultMutableTreeNode;
// InternalFrame
import javax.swing.event.*;


public class Editor extends JFrame {
  private static final long serialVersionUID = 1L;
  private JMenuBar menuBar1;
  private JMenu MainFile;
  private JMenuItem MnNew;
  private JMenuItem MnOpen;
  private JMenuItem MnClose;
  private JMenu MainEdit;
  private JMenuItem MnCut;
  private JMenuItem MnCopy;
  private JMenuItem MnInsert;
  private JMenu MainHelp;
  private JMenuItem MnInfo;
  private Vector<String> liste; // Vector<klasse> liste
  private JTree jtreeL;
  private JList<String> jlistR;
  private DefaultMutableTreeNode rootNode;

   // Konstruktor
  @SuppressWarnings("this-escape")
  public Editor() {
    setDefaultCloseOperation( JFrame.EXIT_ON_CLOSE );
    setGUI();
  }

  public void setGUI() {
    this.getContentPane().setLayout( new BorderLayout() );
    this.setSize(new Dimension(600, 400));
    this.setVisible(true);

    rootNode = BuildTree();
    DefaultTreeModel treeModel = new DefaultTreeModel(rootNode);
    jtreeL = new javax.swing.JTree(treeModel);  //  kein Root !!!
    jtreeL.getSelectionModel().setSelectionMode(TreeSelectionModel.SINGLE_TREE_SELECTION);
    jtreeL.addMouseListener(
      new java.awt.event.MouseAdapter() {
        public void mouseClicked(MouseEvent e) {
jTreeL_mouseClicked(e);
        }
      });
    jlistR = createListe();
    JSplitPane split = new JSplitPane(JSplitPane.HORIZONTAL_SPLIT,false,
      new JScrollPane(jtreeL) , new JScrollPane(jlistR));
    split.setDividerLocation(150);
    this.getContentPane().add(split, BorderLayout.CENTER);
    setMenus();
  }  // setGUI

  private void jTreeL_mouseClicked(MouseEvent e) {
    if (e.getClickCount() == 2) {
      System.out.println("in TreeL Click");
    }
  }

 DefaultMutableTreeNode BuildTree() {
    DefaultMutableTreeNode root = new DefaultMutableTreeNode(new CTreeNodeRec("root"));
    for (int i = 1; i <= 3; i++) {
      DefaultMutableTreeNode node = new DefaultMutableTreeNode(new CTreeNodeRec("1. Stufe"));
      root.add(node);
      for (int j = 1; j <= 3; j++) {
        node.add(new DefaultMutableTreeNode(new CTreeNodeRec("2. Stufe")));
      }
    }
    return root;
  } // BuildTree

  private void setMenus() {
    menuBar1 = new JMenuBar();
    MainFile = new JMenu("Datei");
    MnNew = new JMenuItem("Neu");
    MnNew.setAccelerator(KeyStroke.getKeyStroke(KeyEvent.VK_N, InputEvent.CTRL_DOWN_MASK));
    MnNew.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        MnNew_click();
      }
    });
    MainFile.add(MnNew);
    MnOpen = new JMenuItem("Öffnen");
    MnOpen.setAccelerator(KeyStroke.getKeyStroke(KeyEvent.VK_O, InputEvent.CTRL_DOWN_MASK));
    MnOpen.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        MnOpen_click();
      }
    });
    MainFile.add(MnOpen);
    MainFile.addSeparator();
    MnClose = new JMenuItem("Schließen");
    MnClose.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        MnClose_click();
      }
    });
    MainFile.add(MnClose);
    menuBar1.add(MainFile);
    MainEdit = new JMenu("Bearbeiten");
    MnCut = new JMenuItem("Ausschneiden");
    MnCut.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        MnCut_click();
      }
    });
    MainEdit.add(MnCut);
    MnCopy = new JMenuItem("Kopieren");
    MnCopy.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        MnCopy_click();
      }
    });
    MainEdit.add(MnCopy);
    MnInsert = new JMenuItem("Einfügen");
    MnInsert.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        MnInsert_click();
      }
    });
    MainEdit.add(MnInsert);
    menuBar1.add(MainEdit);
    MainHelp = new JMenu("Hilfe");
    MnInfo = new JMenuItem("Info");
    MnInfo.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        MnInfo_click();
      }
    });
    MainHelp.add(MnInfo);
    menuBar1.add(MainHelp);
    this.setJMenuBar(menuBar1);
  } // setMenus

  private JList<String> createListe() {
    liste = new Vector<String>();
    for (int i = 0; i < 40; i++) {
      liste.addElement(Integer.toString(i)+". Eintrag");
    }
    return new JList<String>(liste);
  } // createListe

  void MnNew_click() {
    System.out.println("Menüeintrag Neu");
  }

  void MnOpen_click() {
    JFileChooser fc = new JFileChooser(new File(System.getProperty("user.home")));
    if (fc.showOpenDialog(this) == JFileChooser.APPROVE_OPTION) {
      String sFileName = fc.getSelectedFile().getPath();
      System.out.println("Datei: " + sFileName);
    }
  }

  void MnClose_click() {
    System.exit(0);
  }

  void MnCut_click() {
    System.out.println("Menüeintrag Cut");
  }

  void MnCopy_click() {
    System.out.println("Menüeintrag Copy");
  }

  void MnInsert_click() {
    System.out.println("Menüeintrag Insert");
  }

  void MnInfo_click() {
    JProgInfo dlg = new JProgInfo(this);
    dlg.setVisible(true);
  }

  static public void main(String[] args) {
    Editor frame = new Editor();
    frame.setVisible(true);
  }
}  // Editor


// Einfache Klasse für jeden Knoten
class CTreeNodeRec  {
  private static int nr = 0;
  private int _id;
  private int _myData = 0;
  private String _nodeString;

  public CTreeNodeRec(String nodeString) {
    nr++;
    _id = nr;
    _nodeString = nodeString;
  }

  public int getData() {
    return _myData;
  }

  public void setData(int data) {
    _myData = data;
  }

  public int getID() {
    return _id;
  }

   // sehr wichtig
  public String toString() {
    return _nodeString;
  }
}  // MyTreeNodeRec


class JProgInfo extends JDialog{
  private static final long serialVersionUID = 1L;
  static final String VERSION = "Version 0.01, Build 1, 02.10.2010";
  static final String AUTOR = "Max Mustermann";
  static final String ORGANISATION = "Musterschule Neustadt";
  static final String WEB = "www.example.org";
  static final String EMAIL = "autor@example.org";

  public JProgInfo(JFrame owner) {
    super(owner, "Info über SDI", true);
    setSize(600, 470);
    setLocationRelativeTo(owner);
    setGUI();
  }

  private void setGUI() {
    this.getContentPane().setLayout( new GridBagLayout() );
    JLabel LTitel = new JLabel("Programm-Info", new ImageIcon("SDI-Programm.gif"), JLabel.LEFT);
    LTitel.setFont(new Font("Arial", Font.BOLD, 28));
    JLabel LBeispiel = new JLabel("SDI-Beispiel");
    LBeispiel.setFont(new Font("Arial", Font.BOLD, 22));
    JPanel pnLinie = new JPanel();
    pnLinie.setBackground(Color.gray);
    pnLinie.setPreferredSize(new Dimension(500, 2));
    JButton BnOk = new JButton("Ok");
    BnOk.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        close();
      }
    });
    addRow(LTitel, 0);
    addRow(LBeispiel, 1);
    addRow(new JLabel(VERSION), 2);
    addRow(new JLabel(AUTOR), 3);
    addRow(new JLabel(ORGANISATION), 4);
    addRow(createLink(WEB, "http://" + WEB), 5);
    addRow(createLink(EMAIL, "mailto:" + EMAIL), 6);
    addRow(pnLinie, 7);
    addRow(BnOk, 8);
    getRootPane().setDefaultButton(BnOk);
  } // setGUI

  private void addRow(JComponent component, int row) {
    this.getContentPane().add(component, new GridBagConstraints(0, row, 1, 1, 1.0, 1.0,
        GridBagConstraints.CENTER, GridBagConstraints.NONE, new Insets(5, 10, 5, 10), 0, 0));
  }

  // Blau gedruckt; ein Klick öffnet die Adresse
  private JLabel createLink(String text, final String address) {
    JLabel label = new JLabel(text);
    label.setForeground(Color.blue);
    label.setCursor(Cursor.getPredefinedCursor(Cursor.HAND_CURSOR));
    label.addMouseListener(new MouseAdapter() {
      public void mouseClicked(MouseEvent e) {
        openAddress(address);
      }
    });
    return label;
  }

  // Der Browser oder das Mailprogramm des Desktops; ohne dessen Unterstützung xdg-open
  private void openAddress(String address) {
    try {
      java.net.URI uri = new java.net.URI(address);
      boolean mail = address.startsWith("mailto:");
      Desktop.Action action = mail ? Desktop.Action.MAIL : Desktop.Action.BROWSE;
      if (Desktop.isDesktopSupported() && Desktop.getDesktop().isSupported(action)) {
        if (mail) {
          Desktop.getDesktop().mail(uri);
        }
        else {
          Desktop.getDesktop().browse(uri);
        }
      }
      else {
        new ProcessBuilder("xdg-open", address).start();
      }
    }
    catch (Exception e) {
      System.out.println("Adresse kann nicht geöffnet werden: " + address);
    }
  }

  void close() {
    setVisible(false);
    dispose();
  }
} // JProgInfo
