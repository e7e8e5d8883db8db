//Titel:			1. Beispiel
//Version:    1.0
//Copyright:		Copyright (c) 2010
//Autor:			unknown
//Organisation:		Musterschule Neustadt
//Beschreibung:	Test mit Layout


import java.awt.*;
import java.awt.event.*;
import javax.swing.*;


public class Beispiel extends JFrame {
  private static final long serialVersionUID = 1L;
  JButton BnTest1 = new JButton("Test1");
  JButton BnTest2 = new JButton("Test2");

  @SuppressWarnings("this-escape")
  public Beispiel() {
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

  private void BnTest1_click() {
    String sName = "Mustermann";
    int alter = 42;
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
    Beispiel frame = new Beispiel();
    frame.setVisible(true);
  }
}  // Beispiel


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
}  // myDialog
