public class Rechner {

  public static void main(String[] args) {
    System.out.println("Hallo");
  }

}
