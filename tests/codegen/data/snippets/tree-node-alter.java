import java.awt.*;
import javax.swing.*;
import java.awt.event.*;
import javax.swing.tree.*;
import javax.swing.tree.DefaultMutableTreeNode;


public class Baum extends JFrame {

  private JTree jtree;
  private DefaultMutableTreeNode rootNode;
  public Baum() {
    setDefaultCloseOperation( JFrame.EXIT_ON_CLOSE );
    setGUI();
  }
  private void setGUI() {
    rootNode = BuildTree();
    DefaultTreeModel treeModel = new DefaultTreeModel(rootNode);
    jtree = new javax.swing.JTree(treeModel);  //  kein Root !!!
    this.getContentPane().add( new JScrollPane(jtree), BorderLayout.CENTER);
  } // setGUI

 DefaultMutableTreeNode BuildTree() {
    DefaultMutableTreeNode root = new DefaultMutableTreeNode(new CTreeNodeRec("root"));
    return root;
  }

  public static void main(String[] args) {
    Baum frame = new Baum();
    frame.setVisible(true);
  }

}  // Baum

// Einfache Klasse für jeden Knoten
class CTreeNodeRec  {
  static int nr = 0;
  private int _id;
  private String _nodeString;
  private int alter;


  public CTreeNodeRec(String nodeString) {
    _id = nr++;
    _nodeString = nodeString;
  }

  public String toString() {   // sehr wichtig
    return _nodeString;
  }


    // get Methode für Variable alter
  public int getalter() {
    return alter;
  }   //  getalter

    // set Methode für Variable alter
  public void setalter (int value) {
    alter=value;
  }   //  setalter

}  // MyTreeNodeRec
