import java.io.*;


public class Konsole{


   private static void pause() {
    try {
      System.in.read();
    }
    catch (IOException e) {
    }
  }  // pause


  public static void test1() {
    System.out.println("in test1");
  }

  public static void main(String[] args) {
    test1();
    pause();
  }
}
