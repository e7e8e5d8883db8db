// Generic class, .class and an array initializer. attribute in: Kiste; not in: -
import java.util.*;

class Kiste<T extends Comparable<T>> {
  private List<T> inhalt = new ArrayList<>();
  private Class<?> art = String.class;
  private int[] zahlen = { 1, 2, 3 };
  String text = "class Falsch {";
}
