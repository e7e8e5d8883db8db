//Titel:            MDI-Fenster
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
// InternalFrame
import javax.swing.event.*;


public class Verwaltung extends JFrame {
  private static final long serialVersionUID = 1L;
  // Container für die Clientfenster
  private JDesktopPane _desktopPane = new JDesktopPane();
  private JMenuBar menuBar1;
  private JMenu MainFile;
  private JMenuItem MnNew;
  private JMenuItem MnOpen;
  private JMenuItem MnClose;
  private JMenu MainEdit;
  private JMenuItem MnCut;
  private JMenuItem MnCopy;
  private JMenuItem MnInsert;
  private JMenu MainWindows;
  private JMenuItem MnPrevWindows;
  private JMenuItem MnNextWindows;
  private JMenuItem MnTile;
  private JMenuItem MnCascade;

   // Konstruktor
  @SuppressWarnings("this-escape")
  public Verwaltung() {
    setDefaultCloseOperation( JFrame.EXIT_ON_CLOSE );
    setGUI();
  }

  public void setGUI() {
    this.getContentPane().setLayout( new BorderLayout() );
    this.setContentPane(_desktopPane);
    this.setSize(new Dimension(600, 400));
    this.setVisible(true);
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
    MainWindows = new JMenu("Fenster");
    MnPrevWindows = new JMenuItem("Vorheriges Fenster");
    MainWindows.add(MnPrevWindows);
    MnNextWindows = new JMenuItem("Nächstes Fenster");
    MainWindows.add(MnNextWindows);
    MainWindows.addSeparator();
    MnCascade = new JMenuItem("Kaskade");
    MnCascade.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        MnCascade_click();
      }
    });
    MainWindows.add(MnCascade);
    MnTile = new JMenuItem("Aufteilen");
    MnTile.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        MnTile_click();
      }
    });
    MainWindows.add(MnTile);
    menuBar1.add(MainWindows);
    this.setJMenuBar(menuBar1);
  } // setMenus

  void setFrame(JInternalFrame frame) {
    int pos = _desktopPane.getAllFrames().length + 1;
    // mindestens 1: ein Desktop kleiner als das Fenster darf nicht durch 0 teilen
    int freeWidth = Math.max(1, _desktopPane.getWidth() - 250);
    int freeHeight = Math.max(1, _desktopPane.getHeight() - 150);
    frame.setBounds((pos * 50) % freeWidth, (pos * 50) % freeHeight, 250, 150);
  } // setFrame

  void MnNew_click() {
    Dokument frame = new Dokument(this, "");
    setFrame(frame);
    _desktopPane.add(frame, Integer.valueOf(1));
    frame.setVisible(true);
    frame.moveToFront();
  }

  void MnOpen_click() {
    JFileChooser fc = new JFileChooser(new File(System.getProperty("user.home")));
    if (fc.showOpenDialog(this) == JFileChooser.APPROVE_OPTION) {
      String sFileName = fc.getSelectedFile().getPath();
      Dokument frame = new Dokument(this, sFileName);
      frame.setBounds(0, 0, 450, 300);
      _desktopPane.add(frame, Integer.valueOf(1));
      frame.setVisible(true);
      frame.moveToFront();
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

  //----------------------------------------------------------------------
  // Anordnen der Fenster
  //----------------------------------------------------------------------

  // Jedes Fenster 250 x 150 groß, um pos*50 versetzt; wo der freie Platz
  // endet, beginnt die Reihe wieder oben links (modulo)
  void setCascadeFrame() {
    JInternalFrame[] frames = _desktopPane.getAllFrames();
    int freeWidth = Math.max(1, _desktopPane.getWidth() - 250);
    int freeHeight = Math.max(1, _desktopPane.getHeight() - 150);
    int pos = 0;
    for (int i = 0; i < frames.length; i++) {
      if (frames[i].isIcon()) {
        continue;
      }
      pos++;
      try {
        frames[i].setMaximum(false);
      }
      catch (java.beans.PropertyVetoException e) {
        // das Fenster bleibt maximiert
      }
      frames[i].setBounds((pos * 50) % freeWidth, (pos * 50) % freeHeight, 250, 150);
      frames[i].moveToFront();
    }
  } // setCascadeFrame

  // Kaskade: n Fenster, jedes um einen Abstand nach rechts unten versetzt,
  // alle gleich groß (Desktop minus (n-1) Abstände). Abstand 80 bis
  // 3 Fenster, 40 bis 6 Fenster, darüber 25. Oben liegt das letzte Fenster
  // der Liste. Zu kleine Fenster oder mehr als 20: setCascadeFrame()
  void MnCascade_click() {
    JInternalFrame[] all = _desktopPane.getAllFrames();
    JInternalFrame[] frames = new JInternalFrame[all.length];
    int n = 0;
    for (int i = 0; i < all.length; i++) {
      if (!all[i].isIcon()) {
        frames[n] = all[i];
        n++;
      }
    }
    if (n == 0) {
      return;
    }
    int distance;
    if (n <= 3) {
      distance = 80;
    }
    else if (n > 6) {
      distance = 25;
    }
    else {
      distance = 40;
    }
    int width = _desktopPane.getWidth() - (n - 1) * distance;
    int height = _desktopPane.getHeight() - (n - 1) * distance;
    if (width < 80 || height < 80 || n > 20) {
      setCascadeFrame();
      return;
    }
    for (int i = 0; i < n; i++) {
      try {
        frames[i].setMaximum(false);
      }
      catch (java.beans.PropertyVetoException e) {
        // das Fenster bleibt maximiert
      }
      frames[i].setBounds(i * distance, i * distance, width, height);
      frames[i].moveToFront();
    }
  } // MnCascade_click

  // Aufteilen: ein Fenster wird maximiert. Sonst gibt es round(Wurzel(n))
  // Spalten und n div Spalten volle Zeilen; der Rest bildet oben eine
  // eigene Zeile, deren Fenster sich die ganze Breite teilen. Die Zeilen
  // werden von unten nach oben gefüllt.
  void MnTile_click() {
    JInternalFrame[] all = _desktopPane.getAllFrames();
    JInternalFrame[] frames = new JInternalFrame[all.length];
    int n = 0;
    for (int i = 0; i < all.length; i++) {
      if (!all[i].isIcon()) {
        frames[n] = all[i];
        n++;
      }
    }
    if (n == 0) {
      return;
    }
    if (n == 1) {
      try {
        frames[0].setMaximum(true);
      }
      catch (java.beans.PropertyVetoException e) {
        // das Fenster behält seine Größe
      }
      return;
    }
    int columns = (int) Math.round(Math.sqrt(n));
    int fullRows = n / columns;
    int rest = n % columns;
    int rows = fullRows;
    if (rest > 0) {
      rows++;
    }
    int width = _desktopPane.getWidth();
    int rowHeight = _desktopPane.getHeight() / rows;
    int columnWidth = width / columns;
    int k = 0;
    // volle Zeilen, die unterste zuerst
    for (int row = 0; row < fullRows; row++) {
      int y = (rows - 1 - row) * rowHeight;
      for (int column = 0; column < columns; column++) {
        try {
          frames[k].setMaximum(false);
        }
        catch (java.beans.PropertyVetoException e) {
          // das Fenster bleibt maximiert
        }
        frames[k].setBounds(column * columnWidth, y, columnWidth, rowHeight);
        k++;
      }
    }
    // die unvollständige Zeile oben mit eigener Fensterbreite
    if (rest > 0) {
      int restWidth = width / rest;
      for (int column = 0; column < rest; column++) {
        try {
          frames[k].setMaximum(false);
        }
        catch (java.beans.PropertyVetoException e) {
          // das Fenster bleibt maximiert
        }
        frames[k].setBounds(column * restWidth, 0, restWidth, rowHeight);
        k++;
      }
    }
  } // MnTile_click

  static public void main(String[] args) {
    Verwaltung frame = new Verwaltung();
    frame.setVisible(true);
  }
}  // Verwaltung


class Dokument extends JInternalFrame {
  private static final long serialVersionUID = 1L;
  private String _sFileName;
  private String _Caption;
  private Verwaltung _Main;

  public Dokument(Verwaltung main, String sFileName) {
    _Main = main;
    _sFileName = sFileName;
    if (sFileName == null || sFileName.length() == 0) {
      _Caption = "noname";
    }
    else {
      _Caption = sFileName;
    }
    setTitle(_Caption);
    setGUI();
  }

  private void setGUI() {
    setClosable(true);
    setIconifiable(true);
    setMaximizable(true);
    setResizable(true);
    this.getContentPane().setLayout( new BorderLayout() );
  }
}  // Dokument
