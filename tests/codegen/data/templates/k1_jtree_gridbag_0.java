//Titel:            Dialog-Fenster
//Version:
//Copyright:		Copyright (c) 2010
//Autor:
//Organisation:
//Beschreibung:


import java.awt.*;
import javax.swing.*;
import java.awt.event.*;
import javax.swing.tree.*;
import javax.swing.tree.DefaultMutableTreeNode;


public class Hallo extends JFrame {
  private static final long serialVersionUID = 1L;

  JButton BnOk = new JButton("Ok");
  JButton BnEsc = new JButton("Abbruch");


  private JTree jtree;
  private DefaultMutableTreeNode rootNode;

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

    rootNode = BuildTree();
    DefaultTreeModel treeModel = new DefaultTreeModel(rootNode);
    jtree = new javax.swing.JTree(treeModel);  //  kein Root !!!
    jtree.getSelectionModel().setSelectionMode(TreeSelectionModel.SINGLE_TREE_SELECTION);
    jtree.addMouseListener(
      new java.awt.event.MouseAdapter() {
        public void mouseClicked(MouseEvent e) {
jTree_mouseClicked(e);
        }
      });
	this.getContentPane().add(jtree,
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

  private void jTree_mouseClicked(MouseEvent e) {
    if (e.getClickCount() == 2) {
      System.out.println("in Tree Click");
    }
  }

 DefaultMutableTreeNode BuildTree() {
    DefaultMutableTreeNode root = new DefaultMutableTreeNode(new CTreeNodeRec("root"));
    for (int i = 1; i <= 3; i++) {
      DefaultMutableTreeNode node = new DefaultMutableTreeNode(new CTreeNodeRec("1. Stufe"));
      root.add(node);
      for (int j = 1; j <= 3; j++) {
        node.add(new DefaultMutableTreeNode(new CTreeNodeRec("2. Stufe")));
      }
    }
    return root;
  } // BuildTree

  public static void main(String[] args) {
    Hallo frame = new Hallo();
    frame.setVisible(true);
  }
}  // Hallo


// Einfache Klasse für jeden Knoten
class CTreeNodeRec  {
  private static int nr = 0;
  private int _id;
  private int _myData = 0;
  private String _nodeString;

  public CTreeNodeRec(String nodeString) {
    nr++;
    _id = nr;
    _nodeString = nodeString;
  }

  public int getData() {
    return _myData;
  }

  public void setData(int data) {
    _myData = data;
  }

  public int getID() {
    return _id;
  }

   // sehr wichtig
  public String toString() {
    return _nodeString;
  }
}  // MyTreeNodeRec
