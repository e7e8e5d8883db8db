//Titel:            Dialog-Fenster
//Version:
//Copyright:		Copyright (c) 2010
//Autor:
//Organisation:
//Beschreibung:


import java.awt.*;
import javax.swing.*;
import java.awt.event.*;
import javax.swing.table.*;


public class Hallo extends JFrame {
  private static final long serialVersionUID = 1L;

  JButton Bn1 = new JButton("Bn1");
  JButton Bn2 = new JButton("Bn2");
  JButton Bn3 = new JButton("Bn3");
  JButton Bn4 = new JButton("Bn4");
  JButton Bn5 = new JButton("Bn5");
  JButton BnOk = new JButton("Ok");
  JButton BnEsc = new JButton("Abbruch");


  private JTable jtable;

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

    jtable = createTable();
    this.getContentPane().add( new JScrollPane(jtable), BorderLayout.CENTER);

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

  public static void main(String[] args) {
    Hallo frame = new Hallo();
    frame.setVisible(true);
  }
}  // Hallo
