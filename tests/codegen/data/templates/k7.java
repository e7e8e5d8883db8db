public class Brenntal extends Environment  {

  public static void main(String[] args) {
    Brenntal pn = new Brenntal();
    pn.mainProgram(args);
  }

  void mainProgram(String[] args) {
    System.out.println("in mainProgramm");
    stdin.readInt(); // Eingabe einer Ziffer und Eingabetaste druecken: 
  }
}
