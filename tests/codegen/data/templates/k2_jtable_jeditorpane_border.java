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
import javax.swing.table.*;
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
  private JTable jtableL;
  private JEditorPane jeditorpaneR;

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

    jtableL = createTable();
    jeditorpaneR = new JEditorPane("text/html", "<html><h1>hallo</h1><ul><li>1. Punkt</li><li>2. Punkt</li><li>3. Punkt</li></ul></hmtl>"); // () String url), String type, String text) ,URL initialPage 
    JSplitPane split = new JSplitPane(JSplitPane.HORIZONTAL_SPLIT,false,
      new JScrollPane(jtableL) , new JScrollPane(jeditorpaneR));
    split.setDividerLocation(150);
    this.getContentPane().add(split, BorderLayout.CENTER);
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

  private JTable createTable() {
    TableModel dataModel = new AbstractTableModel() {
        public int getColumnCount() {
          return 6;
        }
        public int getRowCount() {
           return 33;
        }
        public Object getValueAt(int row, int col) {
          return Integer.valueOf(row*100+ col);
        }
        public String getColumnName(int column) {
          return "C:" + (column + 1);
        }
        public boolean isCellEditable(int row, int col) {
          return getColumnClass(col) == String.class;
        }
        public void setValueAt(Object aValue, int row, int column) {
        }
    };
    return new JTable(dataModel);
  } // createTable

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
