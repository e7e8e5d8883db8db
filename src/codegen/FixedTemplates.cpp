#include "codegen/Templates.h"

namespace {

// Neutral values of the fixed examples.
const char *const kAuthor = "Max Mustermann";
const char *const kOrganisation = "Musterschule Neustadt";
const char *const kSurname = "Mustermann";

// Lines of a fixed text; "%1" stands for the class name.
void appendFixed(QStringList &out, const char *text, const QString &className) {
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    for (const QString &line : lines)
        out << QString(line).replace(QLatin1String("%1"), className);
}

const char *const kModalDialogMain = R"JAVA(import java.awt.*;
import java.awt.event.*;
import javax.swing.*;


public class %1 extends JFrame {
  private static final long serialVersionUID = 1L;
  JButton BnTest1 = new JButton("Test1");
  JButton BnTest2 = new JButton("Test2");

  @SuppressWarnings("this-escape")
  public %1() {
    setDefaultCloseOperation( JFrame.EXIT_ON_CLOSE );
    setGUI();
  }

  private void setGUI() {
    setBounds(50, 50, 400, 330);
    setTitle("1. Beispiel");
    this.getContentPane().setLayout( new BorderLayout() );
    JPanel pnButton = new JPanel();
    pnButton.setLayout( new FlowLayout() );
    pnButton.add(BnTest1);
    pnButton.add(BnTest2);
    this.getContentPane().add(pnButton, BorderLayout.SOUTH);
    BnTest1.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        BnTest1_click();
      }
    });
    BnTest2.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        BnTest2_click();
      }
    });
  } // setGUI

  private void BnTest1_click() {)JAVA";

const char *const kModalDialogRest = R"JAVA(    int alter = 42;
myDialog d = new myDialog(this, sName, alter);
    d.setVisible(true);
    if (d.result) {
      System.out.println("Ok wurde gedrückt, Daten übernehmen");
      System.out.println("Name:  " + d.getName());
      System.out.println("Alter: " + d.getAlter());
    }
  }

  private void BnTest2_click() {
    System.out.println("Test1 starten");
  }

  public static void main(String[] args) {
    %1 frame = new %1();
    frame.setVisible(true);
  }
}  // %1


// Modaler Dialog zum Bearbeiten von Name und Alter; result ist true nach "Ok"
class myDialog extends JDialog {
  private static final long serialVersionUID = 1L;
  public boolean result = false;
  private String _sName;
  private int _alter;
  private JTextField EName = new JTextField();
  private JTextField EAlter = new JTextField();
  private JButton BnOk = new JButton("Ok");
  private JButton BnEsc = new JButton("Abbruch");

  public myDialog(JFrame owner, String sName, int alter) {
    super(owner, "Bearbeiten eines Datensatzes", true);
    _sName = sName;
    _alter = alter;
    setSize(400, 350);
    setLocationRelativeTo(owner);
    setGUI();
  }

  private void setGUI() {
    this.getContentPane().setLayout( new GridBagLayout() );
    EName.setText(_sName);
    EAlter.setText(Integer.toString(_alter));
    this.getContentPane().add(new JLabel("Name"),
      new GridBagConstraints(0, 0, 1, 1, 0.0, 0.0, GridBagConstraints.WEST,
      GridBagConstraints.NONE, new Insets(10, 10, 10, 10), 0, 0));
    this.getContentPane().add(EName,
      new GridBagConstraints(1, 0, 1, 1, 100.0, 0.0, GridBagConstraints.WEST,
      GridBagConstraints.HORIZONTAL, new Insets(10, 10, 10, 10), 0, 0));
    this.getContentPane().add(new JLabel("Alter"),
      new GridBagConstraints(0, 1, 1, 1, 0.0, 0.0, GridBagConstraints.WEST,
      GridBagConstraints.NONE, new Insets(10, 10, 10, 10), 0, 0));
    this.getContentPane().add(EAlter,
      new GridBagConstraints(1, 1, 1, 1, 100.0, 0.0, GridBagConstraints.WEST,
      GridBagConstraints.HORIZONTAL, new Insets(10, 10, 10, 10), 0, 0));
    JPanel pnButton = new JPanel();
    pnButton.setLayout( new FlowLayout() );
    pnButton.add(BnOk);
    pnButton.add(BnEsc);
    this.getContentPane().add(pnButton,
      new GridBagConstraints(0, 2, 2, 1, 100.0, 100.0, GridBagConstraints.SOUTH,
      GridBagConstraints.HORIZONTAL, new Insets(10, 10, 10, 10), 0, 0));
    BnOk.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        BnOk_click();
      }
    });
    BnEsc.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        BnEsc_click();
      }
    });
    getRootPane().setDefaultButton(BnOk);
  } // setGUI

  private void BnOk_click() {
    String sName = EName.getText().trim();
    if (sName.length() < 2) {
      ErrorBox("Fehler", "Bitte eine gültige Eingabe im Namen");
      EName.requestFocus();
      return;
    }
    String sAlter = EAlter.getText().trim();
    if (sAlter.length() == 0) {
      ErrorBox("Fehler", "Keine Eingabe im Feld Alter");
      EAlter.requestFocus();
      return;
    }
    int alter;
    try {
      alter = Integer.parseInt(sAlter);
    }
    catch (NumberFormatException e) {
      ErrorBox("Fehler", "Fehlerhafte Eingabe im Feld Alter");
      EAlter.requestFocus();
      return;
    }
    _sName = sName;
    _alter = alter;
    result = true;
    setVisible(false);
  }

  private void BnEsc_click() {
    result = false;
    setVisible(false);
  }

  public String getName() {
    return _sName;
  }

  public int getAlter() {
    return _alter;
  }

  public static void ErrorBox(String title, String message) {
    JOptionPane.showMessageDialog(null, message, title, JOptionPane.ERROR_MESSAGE);
  }
}  // myDialog)JAVA";

const char *const kBoxLayoutHead = R"JAVA(
import java.awt.*;
import java.awt.event.*;
import javax.swing.*;
import java.io.*;

// Vollständiges Beispiel
// Oben Eingabezeile
// Mitte Ausgabe-Element
// Unten Schalter

public class %1 extends JFrame {
  private static final long serialVersionUID = 1L;
  JTextField _Editzeile = new JTextField("10");
  JTextArea _Editor = new JTextArea();
  JButton BnOk = new JButton("Ok");
  JButton BnEsc = new JButton("Esc");

  @SuppressWarnings("this-escape")
  public %1() {
    setDefaultCloseOperation( JFrame.EXIT_ON_CLOSE );
    setGUI();
  }

  private void setGUI() {
    setSize(1000, 700);
    setTitle("Aufgabe1 Fibonacci-Zahlen mit Dialogfenster");
    Font font = new Font("Arial", Font.BOLD, 28);
    this.getContentPane().setLayout( new BorderLayout() );

    // Oben Eingabezeile
    Box boxOben = Box.createVerticalBox();
    boxOben.add(Box.createVerticalStrut(5));
    JLabel LN = new JLabel("N (Maximalwert)");
    LN.setFont(font);
    boxOben.add(LN);
    boxOben.add(Box.createVerticalStrut(5));
    _Editzeile.setFont(font);
    _Editzeile.setToolTipText("Eine Zahl größer Null eingeben");
    boxOben.add(_Editzeile);
    boxOben.add(Box.createVerticalStrut(30));
    this.getContentPane().add(boxOben, BorderLayout.NORTH);

    // Mitte Ausgabe-Element
    _Editor.setFont(font);
    this.getContentPane().add(new JScrollPane(_Editor), BorderLayout.CENTER);

    // Unten Schalter
    JPanel pnButton = new JPanel();
    pnButton.setLayout( new FlowLayout() );
    BnOk.setFont(font);
    BnEsc.setFont(font);
    pnButton.add(BnOk);
    pnButton.add(BnEsc);
    this.getContentPane().add(pnButton, BorderLayout.SOUTH);
    BnOk.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        BnOk_click();
      }
    });
    BnEsc.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        BnEsc_click();
      }
    });
  } // setGUI

  private void BnOk_click() {
    int n = LVal(_Editzeile.getText());
    if (n < 0) {
      Error("Bitte eine Zahl größer Null eingeben");
      _Editor.setText("Hinweis: N (Maximalwert) muss eine Zahl größer Null sein\n");
      _Editzeile.requestFocus();
      return;
    }
    calc_Fibonacci(n);
  }

  private void BnEsc_click() {
    System.exit(0);
  }

  // Die Fibonacci-Zahlen bis höchstens n, jede in einer nummerierten Zeile
  private void calc_Fibonacci(int n) {
    _Editor.setText("");
    int nr = 1;
    long a = 0;
    long b = 1;
    while (a <= n) {
      _Editor.append(nr + ": " + a + "\n");
      nr++;
      long sum = a + b;
      a = b;
      b = sum;
    }
  }

  // Der Zahlenwert eines Textes, -999 wenn der Text keine Zahl ist
  public static int LVal(String s) {
    try {
      return Integer.parseInt(s.trim());
    }
    catch (NumberFormatException e) {
      return -999;
    }
  }
)JAVA";

const char *const kBoxLayoutTail = R"JAVA(
  public static void main(String[] args) {
    %1 frame = new %1();
    frame.setVisible(true);
  }
}  // %1)JAVA";

// Comment block above each message helper of the box-layout example.
void authorBlock(QStringList &out, const char *purpose) {
    out << "  //******************************************************";
    out << "  // " + QString::fromUtf8(purpose);
    out << "  // Autor:         " + QString::fromUtf8(kAuthor);
    out << "  // Organisation:  " + QString::fromUtf8(kOrganisation);
    out << "  //******************************************************";
}

} // namespace

// A frame that opens a modal input dialog class.
void Templates::modalDialog(QStringList &out, const TNewFile &nf) {
    out << "//Titel:\t\t\t1. Beispiel";
    out << "//Version:    1.0";
    out << "//Copyright:\t\tCopyright (c) 2010";
    out << "//Autor:\t\t\tunknown";
    out << "//Organisation:\t\t" + QString::fromUtf8(kOrganisation);
    out << "//Beschreibung:\tTest mit Layout";
    out << "";
    out << "";
    appendFixed(out, kModalDialogMain, nf.ClassName);
    out << "    String sName = \"" + QString::fromUtf8(kSurname) + "\";";
    appendFixed(out, kModalDialogRest, nf.ClassName);
}

// The Fibonacci example with a box layout.
void Templates::boxLayoutExample(QStringList &out, const TNewFile &nf) {
    appendFixed(out, kBoxLayoutHead, nf.ClassName);
    authorBlock(out, "Meldung in einem Dialogfenster");
    out << "  public static void Message(String sText) {";
    out << "    JOptionPane.showMessageDialog(null, sText, \"Hinweis\", "
           "JOptionPane.INFORMATION_MESSAGE);";
    out << "  }";
    out << "";
    authorBlock(out, "Fehlermeldung in einem Dialogfenster");
    out << "  public static void Error(String sText) {";
    out << "    JOptionPane.showMessageDialog(null, sText, \"Fehler\", JOptionPane.ERROR_MESSAGE);";
    out << "  }";
    appendFixed(out, kBoxLayoutTail, nf.ClassName);
}

void Templates::plainConsole(QStringList &out, const TNewFile &nf) {
    out << "import java.io.*;"
        << ""
        << ""
        << "public class " + nf.ClassName + "{"
        << ""
        << "";
    out << "   private static void pause() {"
        << "    try {"
        << "      System.in.read();"
        << "    }"
        << "    catch (IOException e) {"
        << "    }"
        << "  }  // pause"
        << ""
        << "";
    out << "  public static void test1() {"
        << "    System.out.println(\"in test1\");"
        << "  }"
        << "";
    out << "  public static void main(String[] args) {"
        << "    test1();"
        << "    pause();"
        << "  }"
        << "}";
}

void Templates::environmentConsole(QStringList &out, const TNewFile &nf) {
    out << "public class " + nf.ClassName + " extends Environment  {"
        << "";
    out << "  public static void main(String[] args) {"
        << "    " + nf.ClassName + " pn = new " + nf.ClassName + "();"
        << "    pn.mainProgram(args);"
        << "  }"
        << "";
    out << "  void mainProgram(String[] args) {"
        << "    System.out.println(\"in mainProgramm\");"
        << "    stdin.readInt(); // Eingabe einer Ziffer und Eingabetaste druecken: "
        << "  }"
        << "}";
}
