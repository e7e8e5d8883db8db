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
  private Vector<String> liste; // Vector<klasse> liste
  private JList<String> jlist;

   // Konstruktor
  @SuppressWarnings("this-escape")
  public Editor() {
    setDefaultCloseOperation( JFrame.EXIT_ON_CLOSE );
    setGUI();
  }

  public void setGUI() {
    this.getContentPane().setLayout( new GridBagLayout() );
    this.setSize(new Dimension(600, 400));
    this.setVisible(true);

    jlist = createListe();
	this.getContentPane().add(jlist,
		new GridBagConstraints(0, 4, 2, 1, 100.0, 100.0, GridBagConstraints.CENTER,
		GridBagConstraints.BOTH, new Insets(10, 10, 10, 10), 0, 0));
    setMenus();
  }  // setGUI

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

  static public void main(String[] args) {
    Editor frame = new Editor();
    frame.setVisible(true);
  }
}  // Editor
