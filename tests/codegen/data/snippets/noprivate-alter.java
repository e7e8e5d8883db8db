public class Rechner {
  private int alter;


  public static void main(String[] args) {
    System.out.println("Hallo");
  }


    // get Methode für Variable alter
  public int getalter() {
    return alter;
  }   //  getalter

    // set Methode für Variable alter
  public void setalter (int value) {
    alter=value;
  }   //  setalter

}
