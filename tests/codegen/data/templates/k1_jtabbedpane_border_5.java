//Titel:            Dialog-Fenster
//Version:
//Copyright:		Copyright (c) 2010
//Autor:
//Organisation:
//Beschreibung:


import java.awt.*;
import javax.swing.*;
import java.awt.event.*;


public class Hallo extends JFrame {
  private static final long serialVersionUID = 1L;

  JButton Bn1 = new JButton("Bn1");
  JButton Bn2 = new JButton("Bn2");
  JButton Bn3 = new JButton("Bn3");
  JButton Bn4 = new JButton("Bn4");
  JButton Bn5 = new JButton("Bn5");
  JButton BnOk = new JButton("Ok");
  JButton BnEsc = new JButton("Abbruch");


  private JTabbedPane jtabbedpane;

  @SuppressWarnings("this-escape")
  public Hallo() {
    setDefaultCloseOperation( JFrame.EXIT_ON_CLOSE );
    setGUI();
  }

  private void setGUI() {
    setSize(525, 430);
    setTitle("JFrame als Dialog");
    Bn1.setFont(new Font("Arial", Font.BOLD,18));
    Bn2.setFont(new Font("Arial", Font.BOLD,18));
    Bn3.setFont(new Font("Arial", Font.BOLD,18));
    Bn4.setFont(new Font("Arial", Font.BOLD,18));
    Bn5.setFont(new Font("Arial", Font.BOLD,18));
    BnOk.setFont(new Font("Arial", Font.BOLD,18));
    BnEsc.setFont(new Font("Arial", Font.BOLD,18));
    BnOk.setPreferredSize( BnEsc.getPreferredSize() );
    this.getContentPane().setLayout( new BorderLayout() );

    jtabbedpane = new JTabbedPane();
    this.getContentPane().add( new JScrollPane(jtabbedpane), BorderLayout.CENTER);
	jtabbedpane.add("Schalter",  createPanel1() );
	jtabbedpane.add("Liste", createPanel2() );

	JPanel pnButton = new JPanel();
	// pnButton.setBackground(Color.lightGray);
	pnButton.setLayout( new FlowLayout() );
	pnButton.add(Bn1);
	pnButton.add(Bn2);
	pnButton.add(Bn3);
	pnButton.add(Bn4);
	pnButton.add(Bn5);
	pnButton.add(BnOk);
	pnButton.add(BnEsc);
	this.getContentPane().add(pnButton, BorderLayout.SOUTH);

    BnOk.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        BnOk_Click();
      }
    });
    BnEsc.addActionListener(new ActionListener() {
      public void actionPerformed(ActionEvent e) {
        BnEsc_Click();
      }
    });
  } // setGUI

    private void BnOk_Click() {
      System.out.println("Hier in Ok");
    }

    private void BnEsc_Click() {
      setVisible(false);
      System.exit(0);
    }

 JPanel createPanel1() {
    JPanel panel = new JPanel();
    panel.setLayout( new FlowLayout() );
    panel.add(new JButton("1. Text"));
    panel.add(new JButton("2. Text"));
    panel.add(new JButton("3. Text"));
    return panel;
} // createPanel1

JPanel createPanel2() {
    JPanel panel = new JPanel();
    panel.setLayout( new BorderLayout() );
    String[] items = new String[20];
    for (int i = 0; i < 20; i++) {
      items[i] = Integer.toHexString(i+1)+" Auswahl";
    }
    panel.add(new JScrollPane(new JList<String>(items)), BorderLayout.CENTER);
    return panel;
}  // createTabbedPane

  public static void main(String[] args) {
    Hallo frame = new Hallo();
    frame.setVisible(true);
  }
}  // Hallo
