import javax.swing.*;
import java.awt.event.*;

// Ein Fenster mit einem Knopf
public class Fenster extends JFrame implements ActionListener {
	private JButton knopf = new JButton("Klick");	// Knopf
	private JLabel anzeige = new JLabel("0");
	private int zaehler = 0;

	public Fenster() {
		setTitle("Zaehler");
		getContentPane().setLayout(new BoxLayout(getContentPane(), BoxLayout.Y_AXIS));
		getContentPane().add(knopf);
		knopf.addActionListener(this);
		setDefaultCloseOperation(JFrame.EXIT_ON_CLOSE);
		pack();
	}

	public void actionPerformed(ActionEvent e) {
		zaehler = zaehler + 1; // if zaehler > 10 { }
		anzeige.setText("" + zaehler);
		if (zaehler>10) System.out.println("viel");
	}

	public static void main(String[] args) {
		new Fenster().setVisible(true);
	}
}
