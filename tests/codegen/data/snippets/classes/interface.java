// Interface and enum first, annotations, brace after a method. attribute in: Quadrat; not in: Form, Farbe
interface Form {
  int ecken();
}

enum Farbe { ROT, GRUEN }

class Quadrat implements Form {
  private int seite = 2;
  @Override
  public int ecken() {
    return 4;
  }
  @SuppressWarnings("unused")
  private int rest;
  @Deprecated public void alt() { } }
