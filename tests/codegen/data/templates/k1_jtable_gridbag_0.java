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

  JButton BnOk = new JButton("Ok");
  JButton BnEsc = new JButton("Abbruch");


  private JTable jtable;

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
  this.getContentPane().setLayout( new GridBagLayout() );
    // Beispiel:
    // this.getContentPane().add(new JLabel("Label"),
    //   new GridBagConstraints(0, 0, 1, 1, 0.0, 0.0, GridBagConstraints.WEST,
    //   GridBagConstraints.NONE, new Insets(0, 0, 0, 0), 0, 0));

    jtable = createTable();
	this.getContentPane().add(jtable,
		new GridBagConstraints(0, 4, 2, 1, 100.0, 100.0, GridBagConstraints.CENTER,
		GridBagConstraints.BOTH, new Insets(10, 10, 10, 10), 0, 0));

	JPanel pnButton = new JPanel();
	// pnButton.setBackground(Color.lightGray);
	pnButton.setLayout( new FlowLayout() );
	pnButton.add(BnOk);
	pnButton.add(BnEsc);
	this.getContentPane().add(pnButton,
		new GridBagConstraints(0, 5, 2, 1, 100.0, 0.0, GridBagConstraints.CENTER,
		GridBagConstraints.HORIZONTAL, new Insets(20, 0, 0, 0), 0, 0));

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
