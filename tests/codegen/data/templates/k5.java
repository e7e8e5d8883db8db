
import java.awt.*;
import java.awt.event.*;
import javax.swing.*;
import java.io.*;

// Vollständiges Beispiel
// Oben Eingabezeile
// Mitte Ausgabe-Element
// Unten Schalter

public class Fibonacci extends JFrame {
  private static final long serialVersionUID = 1L;
  JTextField _Editzeile = new JTextField("10");
  JTextArea _Editor = new JTextArea();
  JButton BnOk = new JButton("Ok");
  JButton BnEsc = new JButton("Esc");

  @SuppressWarnings("this-escape")
  public Fibonacci() {
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

  //******************************************************
  // Meldung in einem Dialogfenster
  // Autor:         Max Mustermann
  // Organisation:  Musterschule Neustadt
  //******************************************************
  public static void Message(String sText) {
    JOptionPane.showMessageDialog(null, sText, "Hinweis", JOptionPane.INFORMATION_MESSAGE);
  }

  //******************************************************
  // Fehlermeldung in einem Dialogfenster
  // Autor:         Max Mustermann
  // Organisation:  Musterschule Neustadt
  //******************************************************
  public static void Error(String sText) {
    JOptionPane.showMessageDialog(null, sText, "Fehler", JOptionPane.ERROR_MESSAGE);
  }

  public static void main(String[] args) {
    Fibonacci frame = new Fibonacci();
    frame.setVisible(true);
  }
}  // Fibonacci
