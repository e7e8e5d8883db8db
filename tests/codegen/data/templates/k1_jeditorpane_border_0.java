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

  JButton BnOk = new JButton("Ok");
  JButton BnEsc = new JButton("Abbruch");


  private JEditorPane jeditorpane;

  @SuppressWarnings("this-escape")
  public Hallo() {
    setDefaultCloseOperation( JFrame.EXIT_ON_CLOSE );
    setGUI();
  }

  private void setGUI() {
    setSize(400, 430);
    setTitle("JFrame als Dialog");
    BnOk.setFont(new Font("Arial", Font.BOLD,18));
    BnEsc.setFont(new Font("Arial", Font.BOLD,18));
    BnOk.setPreferredSize( BnEsc.getPreferredSize() );
    this.getContentPane().setLayout( new BorderLayout() );

    jeditorpane = new JEditorPane("text/html", "<html><h1>hallo</h1><ul><li>1. Punkt</li><li>2. Punkt</li><li>3. Punkt</li></ul></hmtl>"); // () String url), String type, String text) ,URL initialPage 
    this.getContentPane().add( new JScrollPane(jeditorpane), BorderLayout.CENTER);

	JPanel pnButton = new JPanel();
	// pnButton.setBackground(Color.lightGray);
	pnButton.setLayout( new FlowLayout() );
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

  public static void main(String[] args) {
    Hallo frame = new Hallo();
    frame.setVisible(true);
  }
}  // Hallo
