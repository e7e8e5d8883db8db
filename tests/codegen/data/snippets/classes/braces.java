// Braces in strings, characters, comments and a text block. attribute in: Klammern; not in: Zweite
class Klammern {
  char auf = '{';
  char zu = '}';
  char quote = '\'';
  String s = "{ \" } {";
  // } schliesst nichts
  /* {
     } */
  String block = """
      { "}" }
      """;
  void f() {
    String t = "}}";  // {
  }
}

class Zweite {
  int x;
}
